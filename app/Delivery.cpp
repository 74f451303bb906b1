// Delivery of a chosen item: the target window is remembered before a menu
// appears, the text goes onto the clipboard, the focus goes back and the
// paste keystroke is synthesised. Command items go to the shell instead.
#include <windows.h>
#include <shellapi.h>

#include "ResourceText.h"
#include "app/ClipboardAccess.h"
#include "app/PhraseApp.h"
#include "app/ShiftJisText.h"
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

}  // namespace

LRESULT PhraseApp::CaptureTarget() {
    target.Capture(GetTickCount());
    return 0;
}

void PhraseApp::DeliverItem(UINT commandId) {
    const PhraseItem* item = ItemForCommand(commandId);
    if (!item) return;
    const std::string text = item->OutputText();
    if (item->flags & PhraseItem::ItemText) {
        const HotkeyBinding* binding = hotkeys.Find(static_cast<std::int32_t>(commandId));
        if (options.waitForKeyRelease && binding) WaitForKeyRelease(binding->virtualKey);
        // A history entry goes back exactly as it was copied, in Unicode too.
        std::optional<std::wstring> unicode;
        if (item->flags & PhraseItem::ItemVerbatim)
            unicode = item->exact ? std::wstring(item->exact->text.begin(), item->exact->text.end())
                                  : FromShiftJis(text);
        if (clipboard.Deliver(hwnd(), text, unicode ? &*unicode : nullptr))
            PostMessageA(hwnd(), WM_COMMAND, IDM_PASTE, 0);
        else  // each time: the user chose a phrase and nothing came
            Tell(LoadResourceText(instance(), IDS_CLIPBOARD_BUSY));
    } else if (item->flags & PhraseItem::ItemCommand) {
        LaunchCommand(text);
    }
}

void PhraseApp::LaunchCommand(const std::string& text) {
    ShellExecuteA(nullptr, nullptr, text.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void PhraseApp::SendPasteKeys() {
    if (pasteInProgress) return;
    pasteInProgress = true;
    target.RestoreFocus();
    // Consoles and some terminals paste otherwise than on Ctrl+V: the
    // focused control's class decides first, then its window's.
    const HWND foreground = GetForegroundWindow();
    const PasteMethod method =
        ChoosePasteMethod(pasteRules, ClassName(FocusOf(foreground)), ClassName(foreground));
    const bool sent = Paste(foreground, method, isNT != 0);
    // Windows drops keys and messages aimed at a program running as
    // administrator: the text is on the clipboard, and the user learns it
    // once per window.
    const bool blocked =
        (!sent || IsElevatedAboveUs(foreground)) && toldBlockedTargets.insert(foreground).second;
    pasteInProgress = false;
    // Told once the paste is done: a message box would run its own loop, in
    // which the next delivery's keys must not be lost.
    if (blocked) Tell(LoadResourceText(instance(), IDS_PASTE_BLOCKED));
}

// The user still holds Shift, so the target receives Shift with this key,
// which types "~" on the Japanese keyboard layout.
void PhraseApp::TypeTilde() { PressAndRelease(VK_OEM_7); }
