// The names the user knows the hotkeys by, and the main window's timers.
#include "app/PhraseApp.h"
#include "ResourceText.h"
#include "menus/MenuEntries.h"
#include "menus/MenuIds.h"
#include "resource.h"

namespace {

// A menu text without its mnemonic: "メモ帳 (&N)" is told as "メモ帳".
std::string WithoutMnemonic(std::string text) {
    const std::size_t mark = text.rfind("(&");
    if (mark != std::string::npos && mark + 4 == text.size() && text.back() == ')') text.erase(mark);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    for (std::size_t at = text.find('&'); at != std::string::npos; at = text.find('&', at + 1))
        text.erase(at, 1);
    return text;
}

}  // namespace

// What a hotkey opens or types, as its menu shows it.
std::string PhraseApp::MenuNameOf(std::int32_t hotkeyId) const {
    const HotkeyAction action = ActionForHotkey(hotkeyId);
    if (action.kind == HotkeyActionKind::ShowMenu && action.value == 0)
        return LoadResourceText(instance(), IDS_MAIN_MENU_NAME);
    MenuEntry entry;
    if (action.kind == HotkeyActionKind::ShowMenu && ReadEntry(MainMenu(), action.value - 1, entry) &&
        entry.record)
        return WithoutMnemonic(entry.record->DisplayText());
    if (const PhraseItem* item = ItemForCommand(static_cast<UINT>(hotkeyId)))
        return WithoutMnemonic(item->DisplayText());
    return {};
}

void PhraseApp::OnTimer(WPARAM timerId) {
    if (timerId == ForegroundWatch && target.Announced()) {
        KillTimer(hwnd(), ForegroundWatch);
    } else if (timerId == ForegroundWatch && !menuOpen) {
        target.Follow();
    } else if (timerId == TrayRetry && (tray.Restore() || ++trayAttempts == TrayAttempts)) {
        KillTimer(hwnd(), TrayRetry);
    } else if (timerId == TrayIdle) {
        KillTimer(hwnd(), TrayIdle);
        trayBusy = false;
        tray.SetIconResource(MAKEINTRESOURCEA(IDI_KWIBRA));
    }
}
