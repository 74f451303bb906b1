// Registration of the HotkeyList's bindings as global hotkeys of the main
// window, the names the user knows them by, and a press told from a repeat.
#include <algorithm>

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

// In the order of the identifiers, which is the list's for its items: of two
// entries with the same key, the first in the list keeps it.
std::vector<const HotkeyBinding*> PhraseApp::RegisterHotkeys(const HotkeyBinding* first) {
    std::vector<const HotkeyBinding*> bindings, refused;
    for (const HotkeyBinding* binding = first; binding; binding = binding->next.get())
        if (binding->virtualKey != 0) bindings.push_back(binding);
    std::stable_sort(bindings.begin(), bindings.end(), [](auto a, auto b) { return a->id < b->id; });
    for (const HotkeyBinding* binding : bindings)
        if (!RegisterOnce(hwnd(), *binding)) refused.push_back(binding);
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

// The key events read before this hotkey decide: a key held since the last
// press that counted is a repeat. Without raw input (refused), only the
// system's MOD_NOREPEAT keeps repeats away.
bool PhraseApp::IsNewPress(UINT virtualKey) {
    if (!listeningToKeys) return true;
    const DWORD time = static_cast<DWORD>(GetMessageTime());
    MSG input;
    while (PeekMessageA(&input, hwnd(), WM_INPUT, WM_INPUT, PM_REMOVE)) DispatchMessageA(&input);
    return keyPresses.TakePress(static_cast<std::uint8_t>(virtualKey), time);
}

void PhraseApp::OnRawInput(LPARAM input) {
    RAWINPUT raw{};
    UINT size = sizeof raw;
    if (GetRawInputData(reinterpret_cast<HRAWINPUT>(input), RID_INPUT, &raw, &size, sizeof(RAWINPUTHEADER)) ==
            static_cast<UINT>(-1) ||
        raw.header.dwType != RIM_TYPEKEYBOARD || raw.data.keyboard.VKey == 0 || raw.data.keyboard.VKey > 0xFE)
        return;
    const bool down = (raw.data.keyboard.Flags & RI_KEY_BREAK) == 0;
    keyPresses.Raw(static_cast<std::uint8_t>(raw.data.keyboard.VKey), down,
                   static_cast<DWORD>(GetMessageTime()));
}

void PhraseApp::OnTimer(WPARAM timerId) {
    if (timerId == ForegroundWatch && !menuOpen) {
        target.Follow();
    } else if (timerId == TrayRetry && (tray.Restore() || ++trayAttempts == TrayAttempts)) {
        KillTimer(hwnd(), TrayRetry);
    }
}
