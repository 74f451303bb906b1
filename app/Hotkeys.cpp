// Registration of the HotkeyList's bindings as global hotkeys of the main
// window, and the names the user knows them by.
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

// A key held past the repeat delay would send the hotkey again and again;
// systems older than Windows 7 refuse the flag that stops it.
bool RegisterOnce(HWND window, const HotkeyBinding& binding) {
    return RegisterHotKey(window, binding.id, binding.modifiers | MOD_NOREPEAT, binding.virtualKey) ||
           RegisterHotKey(window, binding.id, binding.modifiers, binding.virtualKey);
}

}  // namespace

std::vector<const HotkeyBinding*> PhraseApp::RegisterHotkeys(const HotkeyBinding* first) {
    std::vector<const HotkeyBinding*> refused;
    for (const HotkeyBinding* binding = first; binding; binding = binding->next.get()) {
        if (binding->virtualKey != 0 && !RegisterOnce(hwnd(), *binding)) refused.push_back(binding);
    }
    hotkeysRegistered = true;
    return refused;
}

void PhraseApp::UnregisterHotkeys(const HotkeyBinding* first) {
    for (const HotkeyBinding* binding = first; binding; binding = binding->next.get())
        UnregisterHotKey(hwnd(), binding->id);
    hotkeysRegistered = false;
}

bool PhraseApp::RegisterTildeHotkey(bool on) {
    if (on) return RegisterHotKey(hwnd(), HOTKEY_TILDE, MOD_SHIFT, '0') != FALSE;
    UnregisterHotKey(hwnd(), HOTKEY_TILDE);
    return true;
}

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

// A repeat that arrives anyway (the system ignores the flag, or the keys were
// held while a delivery waited for them) is not acted on: a hotkey counts
// again only once its key has been seen released.
bool PhraseApp::IsRepeat(std::int32_t id, UINT virtualKey) {
    if (heldHotkey == id) return true;
    heldHotkey = id;
    heldKey = virtualKey;
    SetTimer(hwnd(), ReleaseWatch, 50, nullptr);
    return false;
}

void PhraseApp::OnTimer(WPARAM timerId) {
    if (timerId == ReleaseWatch && !(GetAsyncKeyState(static_cast<int>(heldKey)) & 0x8000)) {
        KillTimer(hwnd(), ReleaseWatch);
        heldHotkey = NoHotkey;
    } else if (timerId == TrayRetry && (tray.Restore() || ++trayAttempts == TrayAttempts)) {
        KillTimer(hwnd(), TrayRetry);
    }
}
