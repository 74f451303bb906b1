// Delivery of a chosen item: the target window is remembered before a menu
// appears, the text goes onto the clipboard, the focus goes back and the
// paste keystroke is synthesised. Command items go to the shell instead.
#include <windows.h>
#include <shellapi.h>

#include "ResourceText.h"
#include "app/ClipboardAccess.h"
#include "app/PhraseApp.h"
#include "app/Target.h"
#include "resource.h"

namespace {

constexpr int releaseChecks = 100;  // 10 seconds at most
constexpr DWORD releasePauseMs = 100;

bool KeyDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

// Ctrl+Alt+1 still held would turn the synthesised Ctrl+V into Ctrl+Alt+V.
void WaitForKeyRelease(std::uint8_t virtualKey) {
    for (int check = 0; check < releaseChecks; ++check) {
        if (!KeyDown(virtualKey) && !KeyDown(VK_MENU) && !KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT)) return;
        Sleep(releasePauseMs);
    }
}

void PressAndRelease(BYTE virtualKey) {
    keybd_event(virtualKey, 0, 0, 0);
    keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0);
}

std::string ClassName(HWND window) {
    std::string name(256, '\0');
    name.resize(static_cast<std::size_t>(GetClassNameA(window, name.data(), static_cast<int>(name.size()))));
    return name;
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

}  // namespace

LRESULT PhraseApp::CaptureTarget() {
    if (!captureThrottle.Allow(GetTickCount())) return 0;
    HWND foreground = GetForegroundWindow();
    DWORD processId = 0;
    if (!foreground || !GetWindowThreadProcessId(foreground, &processId) ||
        !CanBeTarget(ClassName(foreground), processId))
        return 0;
    savedForeground = foreground;
    WithInputOf(foreground, [this] { savedFocus = GetFocus(); });
    return 0;
}

void PhraseApp::DeliverItem(UINT commandId) {
    const PhraseItem* item = ItemForCommand(commandId);
    if (!item) return;
    const std::string text = item->OutputText();
    if (item->flags & PhraseItem::ItemText) {
        const HotkeyBinding* binding = hotkeys.Find(static_cast<std::int32_t>(commandId));
        if (options.waitForKeyRelease && binding) WaitForKeyRelease(binding->virtualKey);
        if (WriteDelivery(text)) PostMessageA(hwnd(), WM_COMMAND, IDM_PASTE, 0);
    } else if (item->flags & PhraseItem::ItemCommand) {
        LaunchCommand(text);
    }
}

// The change notice of this write is ours and must not enter the history.
bool PhraseApp::WriteDelivery(const std::string& text) {
    ClipboardSession clipboard(hwnd());
    if (!clipboard.IsOpen()) return false;
    ignoreNextClipboardChange = true;
    if (!PutClipboardText(text)) {
        ignoreNextClipboardChange = false;  // no notice will come to clear it
        return false;
    }
    return true;
}

void PhraseApp::LaunchCommand(const std::string& text) {
    ShellExecuteA(nullptr, nullptr, text.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void PhraseApp::SendPasteKeys() {
    if (pasteInProgress) return;
    pasteInProgress = true;
    RestoreTargetFocus();
    std::array<INPUT, 4> keys = PasteKeyEvents(isNT != 0);
    const bool sent = SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
    // Windows drops keys aimed at a program running as administrator: the
    // text is on the clipboard, and the user learns it once per window.
    const HWND target = GetForegroundWindow();
    if ((!sent || IsElevatedAboveUs(target)) && toldBlockedTargets.insert(target).second)
        Tell(LoadResourceText(instance(), IDS_PASTE_BLOCKED));
    pasteInProgress = false;
}

void PhraseApp::RestoreTargetFocus() {
    if (!savedFocus) return;
    HWND focus = savedFocus;
    WithInputOf(savedForeground, [focus] { SetFocus(focus); });
    savedFocus = nullptr;
}

// The user still holds Shift, so the target receives Shift with this key,
// which types "~" on the Japanese keyboard layout.
void PhraseApp::TypeTilde() { PressAndRelease(VK_OEM_7); }
