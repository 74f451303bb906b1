// What the hidden main window does after each message: system changes,
// owner-drawn menu entries, the clipboard-viewer chain and global hotkeys.
// Nothing long happens inside a notification; work is posted instead.
#include "app/PhraseApp.h"
#include "menus/MenuIds.h"
#include "menus/Mnemonic.h"
#include "resource.h"

void PhraseApp::AfterMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        Reload();
        break;
    case WM_DRAWITEM:
        DrawMenuEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        break;
    case WM_MEASUREITEM:
        MeasureMenuEntry(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        break;
    case WM_COMMAND:
        AfterCommand(wParam, lParam);
        break;
    case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(wParam) == PhraseMenu)
            EnableMenuItem(PhraseMenu, IDM_ADD_CLIPBOARD,
                           MF_BYCOMMAND | (IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED));
        break;
    case WM_DRAWCLIPBOARD:
        OnClipboardChange(wParam, lParam);
        break;
    case WM_CHANGECBCHAIN:
        OnClipboardChainChange(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        break;
    case WM_HOTKEY:
        OnHotkey(static_cast<std::int32_t>(wParam));
        break;
    default:
        break;
    }
}

LRESULT PhraseApp::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QUERYENDSESSION) {
        OnDestroy();
        return SmartWindow::DefaultProc(message, wParam, lParam);
    }
    if (message == WM_MENUCHAR)
        return MatchMnemonic(wParam, lParam);
    return SmartWindow::DefaultProc(message, wParam, lParam);
}

void PhraseApp::AfterCommand(WPARAM wParam, LPARAM lParam)
{
    if (wParam == IDM_HOTKEYS && hotkeys.head()) {
        if (lParam != 0)
            RegisterHotkeys(hotkeys.head());
        else
            UnregisterHotkeys(hotkeys.head());
    } else if (wParam == IDM_PASTE && lParam == 0) {
        SendPasteKeys();
    }
}

void PhraseApp::OnClipboardChange(WPARAM wParam, LPARAM lParam)
{
    if (ignoreNextClipboardChange)
        ignoreNextClipboardChange = false; // our own write for a delivery
    else if (IsClipboardFormatAvailable(CF_TEXT))
        ReadClipboardText(false);
    if (nextViewer)
        SendMessageA(nextViewer, WM_DRAWCLIPBOARD, wParam, lParam);
}

void PhraseApp::OnClipboardChainChange(HWND leaving, HWND after)
{
    if (leaving == nextViewer)
        nextViewer = after;
    else if (nextViewer)
        SendMessageA(nextViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(leaving),
                     reinterpret_cast<LPARAM>(after));
}

// The hotkey handler only posts; menus and deliveries run from the queue.
void PhraseApp::OnHotkey(std::int32_t id)
{
    const HotkeyAction action = ActionForHotkey(id);
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
