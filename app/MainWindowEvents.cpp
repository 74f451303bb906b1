// What the hidden main window does after each message: system changes,
// owner-drawn menu entries, the clipboard-viewer chain and global hotkeys.
// Nothing long happens inside a notification; work is posted instead.
#include <utility>

#include "app/PhraseApp.h"
#include "menus/MenuIds.h"
#include "menus/Mnemonic.h"
#include "resource.h"

void PhraseApp::AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            // Often sent: the sender must not wait for a rebuild, nor for a
            // file another program holds; many in a row rebuild once.
            reloadPending = true;
            PostDeferredWork();
            break;
        case WM_DRAWITEM:
            menus.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            break;
        case WM_MEASUREITEM:
            menus.Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            break;
        case WM_COMMAND:
            AfterCommand(wParam, lParam);
            break;
        case WM_INITMENUPOPUP:
            if (reinterpret_cast<HMENU>(wParam) == menus.phrases())
                EnableMenuItem(menus.phrases(), IDM_ADD_CLIPBOARD,
                               MF_BYCOMMAND | (IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED));
            break;
        case WM_DRAWCLIPBOARD:
            OnClipboardChange(wParam, lParam);
            break;
        case WM_CHANGECBCHAIN:
            clipboard.OnChainChange(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
            break;
        case WM_HOTKEY:
            OnHotkey(static_cast<std::int32_t>(wParam), HIWORD(lParam));
            break;
        default:
            break;
    }
}

LRESULT PhraseApp::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Explorer started again (after a crash or an update): every tray icon is gone.
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (message == taskbarCreated && taskbarCreated != 0) tray.Restore();
    switch (message) {
        case WM_QUERYENDSESSION:
            // The user may still cancel the logoff: save, and keep running.
            // From now on nothing may wait for the user.
            sessionEnding = true;
            SaveHistoryOrTell();
            return TRUE;
        case WM_ENDSESSION:
            OnEndSession(wParam != FALSE);
            return 0;
        case WM_INPUT:
            globalHotkeys.OnRawInput(lParam);
            break;
        case WM_ENTERIDLE:
            if (wParam == MSGF_MENU && std::exchange(trayBusyPending, false)) {
                tray.SetIconResource(MAKEINTRESOURCEA(IDI_KWIBRA_BUSY));
                trayBusy = true;
            }
            break;
        case WM_MENUCHAR:
            return MatchMnemonic(wParam, lParam);
        case WM_ENTERMENULOOP:
            menuOpen = true;
            history.HoldStill(true);
            break;
        case WM_EXITMENULOOP:
            // What waited for the menu runs after the chosen item.
            if (std::exchange(menuOpen, false)) PostDeferredWork();
            break;
        default:
            break;
    }
    return SmartWindow::DefaultProc(message, wParam, lParam);
}

// The session ends for sure only now; the process may be ended at any moment
// once this returns, so the history is saved and everything released here.
void PhraseApp::OnEndSession(bool ending) {
    sessionEnding = ending;
    if (!ending) return;
    OnDestroy();
    Destroy();
}

void PhraseApp::AfterCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam == IDM_HOTKEYS && hotkeys.head()) {
        if (lParam != 0)
            globalHotkeys.Register(hwnd(), hotkeys.head());
        else
            globalHotkeys.Unregister(hwnd(), hotkeys.head());
    } else if (wParam == IDM_PASTE && lParam == 0) {
        SendPasteKeys();
    }
}

void PhraseApp::OnClipboardChange(WPARAM wParam, LPARAM lParam) {
    // The notice of our own delivery does not enter the history.
    if (clipboard.TakeChange() && IsClipboardFormatAvailable(CF_TEXT)) ReadClipboardText(false);
    clipboard.PassOn(WM_DRAWCLIPBOARD, wParam, lParam);
}

// The hotkey handler only posts; menus and deliveries run from the queue.
void PhraseApp::OnHotkey(std::int32_t id, UINT virtualKey) {
    const HotkeyAction action = ActionForHotkey(id);
    if (action.kind != HotkeyActionKind::TypeTilde &&
        !globalHotkeys.IsNewPress(hwnd(), virtualKey, static_cast<DWORD>(GetMessageTime())))
        return;
    switch (action.kind) {
        case HotkeyActionKind::TypeTilde:
            TypeTilde();
            break;
        case HotkeyActionKind::DeliverItem:
            PostMessageA(hwnd(), WM_COMMAND, static_cast<WPARAM>(action.value), 0);
            break;
        case HotkeyActionKind::ShowMenu:
            PostMessageA(hwnd(), WM_COMMAND, IDM_SHOW_MENU, action.value);
            break;
        case HotkeyActionKind::Ignore:
            break;
    }
}
