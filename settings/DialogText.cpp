#include "settings/DialogText.h"

#include "SmartApplication.h"

HINSTANCE DialogInstance() {
    const SmartApplication* app = GetApp();
    return app && app->instance() ? app->instance() : GetModuleHandleA(nullptr);
}

std::string LoadDialogString(UINT id) {
    // With a zero buffer size LoadStringW gives the resource text itself,
    // so no string is cut at a buffer's end.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(DialogInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), bytes, nullptr, nullptr);
    return ansi;
}
