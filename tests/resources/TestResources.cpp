#include "TestResources.h"

#include <commctrl.h>

#include <vector>

HINSTANCE ResourceInstance()
{
    return GetModuleHandleA(nullptr);
}

std::string LoadResourceString(UINT id, int bufferSize)
{
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
    int length = LoadStringA(ResourceInstance(), id, buffer.data(), bufferSize);
    return std::string(buffer.data(), static_cast<size_t>(length > 0 ? length : 0));
}

std::string ToAnsi(std::wstring_view text)
{
    if (text.empty()) {
        return {};
    }
    int wideLength = static_cast<int>(text.size());
    int length = WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0,
                                     nullptr, nullptr);
    std::string result(static_cast<size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, result.data(), length,
                        nullptr, nullptr);
    return result;
}

bool InitDialogControls()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_HOTKEY_CLASS | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
}

static INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

WindowHandle CreateHiddenDialog(int templateId)
{
    return WindowHandle(CreateDialogParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId),
                                           nullptr, QuietDialogProc, 0));
}

IconHandle LoadIconResource(int id, int size)
{
    return IconHandle(static_cast<HICON>(
        LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0)));
}
