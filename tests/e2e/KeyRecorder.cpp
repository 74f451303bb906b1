#include "KeyRecorder.h"

#include <windows.h>

#include <cstdio>

namespace {

FILE* recordFile = nullptr;

const char* KeyMessageName(UINT message)
{
    switch (message) {
    case WM_KEYDOWN: return "down";
    case WM_KEYUP: return "up";
    case WM_CHAR: return "char";
    case WM_SYSKEYDOWN: return "sysdown";
    case WM_SYSKEYUP: return "sysup";
    case WM_SYSCHAR: return "syschar";
    default: return nullptr;
    }
}

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const char* name = KeyMessageName(message)) {
        std::fprintf(recordFile, "%s %#llx\n", name, static_cast<unsigned long long>(wParam));
        std::fflush(recordFile);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int RunKeyRecorder(const char* path, int x, int y)
{
    recordFile = std::fopen(path, "wb");
    if (!recordFile)
        return 2;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecorderProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = "KwibraKeyRecorder";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "key recorder", WS_POPUP | WS_VISIBLE, x, y,
                                  200, 120, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return 2;
    SetForegroundWindow(window);
    SetFocus(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    std::fclose(recordFile);
    return 0;
}
