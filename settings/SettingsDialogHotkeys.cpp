// Hotkeys and options: the per-item hotkey control, the menu hotkeys, the
// Shift+0 option and what the owner fills in and reads back.
#include <windows.h>

#include <commctrl.h>

#include "WindowRegistry.h"
#include "settings/HotkeyConversion.h"
#include "settings/SettingsDialog.h"

namespace {

constexpr UINT ShiftZeroKey = '0';

}  // namespace

void SettingsDialog::ShowItemHotkey(int index) {
    const HotkeyBinding* record = RecordAt(index);
    const WORD value = record ? HotkeyControlValue(record->virtualKey, record->modifiers) : 0;
    itemHotkey.SendMsg(HKM_SETHOTKEY, value);
}

void SettingsDialog::OnItemHotkeyChange() {
    const int selected = SelectedIndex();
    if (selected == LB_ERR) return;
    const auto value = static_cast<WORD>(itemHotkey.SendMsg(HKM_GETHOTKEY));
    HotkeyBinding* record = RecordAt(selected);
    if (record && value != 0) {
        record->virtualKey = VirtualKeyOf(value);
        record->modifiers = ModifiersOf(value);
    } else if (record) {
        itemList.SendMsg(LB_SETITEMDATA, static_cast<WPARAM>(selected), 0);
        itemHotkeys.Remove(record);
    } else if (value != 0) {
        record = &itemHotkeys.Add(0, VirtualKeyOf(value), ModifiersOf(value));
        itemList.SendMsg(LB_SETITEMDATA, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(record));
    }
}

// The option takes effect at once; Cancel has the owner put it back.
void SettingsDialog::OnTildeClicked() {
    if (tildeCheck.GetCheck() == BST_CHECKED)
        RegisterHotKey(MainWindowHandle(), HOTKEY_TILDE, MOD_SHIFT, ShiftZeroKey);
    else
        UnregisterHotKey(MainWindowHandle(), HOTKEY_TILDE);
}

void SettingsDialog::AppendLine(std::string_view line, const HotkeyBinding* binding) {
    const std::string text(line);
    const auto index =
        itemList.SendMsg(LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0 || !binding || binding->virtualKey == 0) return;
    HotkeyBinding* record = &itemHotkeys.Add(0, binding->virtualKey, binding->modifiers);
    itemList.SendMsg(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(record));
}

const HotkeyBinding* SettingsDialog::LineHotkey(int index) { return RecordAt(index); }

void SettingsDialog::ListAddedLine(std::string_view line, bool isSection) {
    if (!IsBound()) return;
    int index = -1;
    for (int i = 0; !isSection && i < LineCount() && index < 0; ++i)
        if (LineAt(i).rfind(" -", 0) == 0) index = i;
    const std::string text(line);
    itemList.SendMsg(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    const int selected = SelectedIndex();
    Enable(moveUpButton, selected != LB_ERR && selected > 0);
    Enable(moveDownButton, selected != LB_ERR && selected < LineCount() - 1);
}

int SettingsDialog::MenuHotkeyControl(int bindingId) {
    switch (bindingId) {
        case 0:
            return IDC_MAIN_MENU_HOTKEY;
        case 1:
            return IDC_HISTORY_MENU_HOTKEY;
        case 2:
            return IDC_PHRASE_MENU_HOTKEY;
        default:
            return 0;
    }
}

void SettingsDialog::SetMenuHotkey(int bindingId, std::uint8_t virtualKey, std::uint8_t modifiers) {
    const int control = MenuHotkeyControl(bindingId);
    if (control && IsBound())
        SendDlgItemMessageA(hwnd(), control, HKM_SETHOTKEY, HotkeyControlValue(virtualKey, modifiers), 0);
}

WORD SettingsDialog::MenuHotkey(int bindingId) {
    const int control = MenuHotkeyControl(bindingId);
    if (!control || !IsBound()) return 0;
    return static_cast<WORD>(SendDlgItemMessageA(hwnd(), control, HKM_GETHOTKEY, 0, 0));
}

void SettingsDialog::SetTildeOption(bool on) { tildeCheck.SetCheck(on ? BST_CHECKED : BST_UNCHECKED); }

bool SettingsDialog::TildeOption() { return tildeCheck.GetCheck() == BST_CHECKED; }

void SettingsDialog::SetWaitForKeyRelease(bool on) {
    waitReleaseCheck.SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
}

bool SettingsDialog::WaitForKeyRelease() { return waitReleaseCheck.GetCheck() == BST_CHECKED; }

void SettingsDialog::SetHistoryLimit(int limit) { historyLimitEdit.SetInt(limit); }

int SettingsDialog::HistoryLimit() { return historyLimitEdit.GetInt(); }
