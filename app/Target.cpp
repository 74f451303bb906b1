#include "app/Target.h"

#include <memory>

namespace {

INPUT KeyEvent(WORD virtualKey, bool extended, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    const WORD scanKey = virtualKey == VK_RCONTROL ? VK_CONTROL : virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(scanKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Null when the process cannot be asked, which is the case for most processes
// with more rights than ours: they count as elevated then.
bool RunsElevated(HANDLE process, bool unknown) {
    HANDLE token = nullptr;
    if (!process || !OpenProcessToken(process, TOKEN_QUERY, &token)) return unknown;
    const UniqueHandle owned(token);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size)) return unknown;
    return elevation.TokenIsElevated != 0;
}

}  // namespace

bool CanBeTarget(std::string_view className, DWORD processId) {
    return processId != GetCurrentProcessId() && className != "Shell_TrayWnd" &&
           className != "NotifyIconOverflowWindow" && className != "__winex11_standalone_tray";
}

std::array<INPUT, 4> PasteKeyEvents(bool rightControl) {
    const WORD control = rightControl ? VK_RCONTROL : VK_CONTROL;
    return {KeyEvent(control, rightControl, false), KeyEvent('V', false, false), KeyEvent('V', false, true),
            KeyEvent(control, rightControl, true)};
}

bool IsElevatedAboveUs(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == 0 || RunsElevated(GetCurrentProcess(), false)) return false;
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    return RunsElevated(process.get(), true);
}
