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

// False when the process cannot be asked: a process we may not even query
// is no proof of rights above ours (another session, a protected process).
bool RunsElevated(HANDLE process) {
    HANDLE token = nullptr;
    if (!process || !OpenProcessToken(process, TOKEN_QUERY, &token)) return false;
    const UniqueHandle owned(token);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size)) return false;
    return elevation.TokenIsElevated != 0;
}

// Runs action while this thread shares the input state of window's thread,
// so that GetFocus and SetFocus see that window's focus. This thread is the
// one attached and detached: detaching the target's thread instead leaves
// Wine without a foreground window, and the paste keys then go nowhere.
template <typename Action>
void WithInputOf(HWND window, Action action) {
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD self = GetCurrentThreadId();
    const bool attached = target != 0 && target != self && AttachThreadInput(self, target, TRUE);
    action();
    if (attached) AttachThreadInput(self, target, FALSE);
}

bool IsExtended(WORD virtualKey) {
    return virtualKey == VK_RCONTROL || (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) ||
           virtualKey == VK_INSERT || virtualKey == VK_DELETE;
}

DeliveryTarget* followed = nullptr;

}  // namespace

void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (!followed) return;
    followed->announced_ = true;
    followed->Follow();
}

bool CanBeTarget(std::string_view className, DWORD processId) {
    return processId != GetCurrentProcessId() && className != "Shell_TrayWnd" &&
           className != "NotifyIconOverflowWindow" && className != "TopLevelWindowForOverflowXamlIsland" &&
           className != "__winex11_standalone_tray";
}

std::string ClassName(HWND window) {
    std::string name(256, '\0');
    name.resize(static_cast<std::size_t>(GetClassNameA(window, name.data(), static_cast<int>(name.size()))));
    return name;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

std::vector<INPUT> PasteKeyEvents(const PasteMethod& method, bool rightControl) {
    std::vector<WORD> modifiers;
    if (method.modifiers & MOD_CONTROL) modifiers.push_back(rightControl ? VK_RCONTROL : VK_CONTROL);
    if (method.modifiers & MOD_SHIFT) modifiers.push_back(VK_SHIFT);
    if (method.modifiers & MOD_ALT) modifiers.push_back(VK_MENU);
    std::vector<INPUT> keys;
    for (const WORD modifier : modifiers) keys.push_back(KeyEvent(modifier, IsExtended(modifier), false));
    for (const bool up : {false, true})
        keys.push_back(KeyEvent(method.virtualKey, IsExtended(method.virtualKey), up));
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
        keys.push_back(KeyEvent(*modifier, IsExtended(*modifier), true));
    return keys;
}

bool Paste(HWND foreground, const PasteMethod& method, bool rightControl) {
    if (method.kind == PasteMethod::Kind::Command)
        return PostMessageA(foreground, WM_COMMAND, method.command, 0) != FALSE;
    std::vector<INPUT> keys = PasteKeyEvents(method, rightControl);
    return SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
}

bool IsElevatedAboveUs(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == 0 || RunsElevated(GetCurrentProcess())) return false;
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    return RunsElevated(process.get());
}

bool DeliveryTarget::MayBeTarget(HWND window) {
    DWORD processId = 0;
    return window && GetWindowThreadProcessId(window, &processId) &&
           CanBeTarget(ClassName(window), processId);
}

void DeliveryTarget::StartFollowing() {
    followed = this;
    if (!hook_)
        hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, ForegroundChanged,
                                0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    Follow();
}

void DeliveryTarget::StopFollowing() {
    if (hook_) UnhookWinEvent(hook_);
    hook_ = nullptr;
    if (followed == this) followed = nullptr;
}

void DeliveryTarget::Follow() {
    const HWND foreground = GetForegroundWindow();
    if (foreground && (foreground == lastWorkedIn_.window || MayBeTarget(foreground)))
        lastWorkedIn_ = {foreground, FocusOf(foreground)};
}

void DeliveryTarget::Capture(DWORD now) {
    if (!throttle_.Allow(now)) return;
    const HWND foreground = GetForegroundWindow();
    if (MayBeTarget(foreground)) {
        HWND focus = nullptr;
        WithInputOf(foreground, [&focus] { focus = GetFocus(); });
        captured_ = lastWorkedIn_ = {foreground, focus};
    } else if (IsWindow(lastWorkedIn_.window)) {
        captured_ = lastWorkedIn_;
    }
}

void DeliveryTarget::RestoreFocus() {
    if (!captured_.focus) return;
    const HWND focus = captured_.focus;
    WithInputOf(captured_.window, [focus] { SetFocus(focus); });
    captured_.focus = nullptr;
}
