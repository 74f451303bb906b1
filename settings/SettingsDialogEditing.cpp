// Editing the phrase lines: input modes and layouts, the line edit, the
// separate fields, Add, Delete, Change and the selection.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "settings/LineText.h"
#include "settings/SettingsDialog.h"

std::string SettingsDialog::GetLine() {
    // Line breaks are escaped in every mode: a break pasted into the
    // single-line layout must not split the line in the settings file.
    return EscapeLineBreaks(lineEdit.GetText());
}

void SettingsDialog::SetLineText() { SetLineText(std::string(lineEdit.GetText())); }

void SettingsDialog::SetLineText(std::string_view text) {
    std::string converted(text);
    if (!KeepsEscapes(text))
        converted = lineEdit.multiLine ? UnescapeLineBreaks(text) : EscapeLineBreaks(text);
    SetLineEditText(converted);
}

// A multi-line edit reports no change of its window text, so the dialog
// reports it itself, as a typed change would be.
void SettingsDialog::SetLineEditText(const std::string& text) {
    lineEdit.SetText(text.c_str());
    OnControlNotify(EN_CHANGE, IDC_LINE_EDIT, &lineEdit);
}

void SettingsDialog::SetLine(std::string_view text) {
    SetLineText(text);
    DecomposeLine();
    const bool hasText = GetWindowTextLengthA(lineEdit.hwnd()) > 0;
    Enable(addButton, hasText);
    Enable(changeButton, hasText);
}

int SettingsDialog::ItemKindIndex() { return static_cast<int>(itemKindCombo.SendMsg(CB_GETCURSEL)); }

void SettingsDialog::SetTextIfDifferent(SmartControl& control, std::string_view text) {
    if (control.GetText() != text) control.SetText(std::string(text).c_str());
}

void SettingsDialog::DecomposeLine() {
    const LineParts parts = DecomposeLineText(GetLine());
    itemKindCombo.SendMsg(CB_SETCURSEL, static_cast<WPARAM>(parts.kind));
    if (parts.kind == ItemKind::Section) {
        SetTextIfDifferent(displayEdit, parts.display);
        contentEdit.SendMsg(EM_SETREADONLY, TRUE);
        return;
    }
    contentEdit.SendMsg(EM_SETREADONLY, FALSE);
    SetTextIfDifferent(displayEdit, parts.display);
    SetTextIfDifferent(contentEdit, parts.content.value_or(std::string()));
}

void SettingsDialog::ComposeLine() {
    const std::string display = displayEdit.GetText();
    const std::string content = contentEdit.GetText();
    const std::string current = lineEdit.GetText();
    const int kindIndex = ItemKindIndex();
    Enable(addButton, !display.empty() || !content.empty());
    Enable(changeButton, !display.empty() || !content.empty());
    if (kindIndex < 0 || kindIndex > static_cast<int>(ItemKind::Section)) return;
    const auto kind = static_cast<ItemKind>(kindIndex);
    switch (kind) {
        case ItemKind::Separator:
        case ItemKind::ColumnBreak:
            if (display != content && !HasFocus(itemKindCombo)) {
                // Typing into the fields of a separator makes a text item of it.
                itemKindCombo.SendMsg(CB_SETCURSEL, static_cast<WPARAM>(ItemKind::Text));
                ComposeLine();
                return;
            }
            if (current != MarkLine(kind)) SetLine(MarkLine(kind));
            break;
        case ItemKind::Text:
            if (IsPlainText(display, content)) {
                if (current != content) SetLine(content);
                break;
            }
            [[fallthrough]];
        default: {
            const std::string line = ComposeLineText(kind, display, content);
            if (line != current) SetLineEditText(line);
            break;
        }
    }
    contentEdit.SendMsg(EM_SETREADONLY, kind == ItemKind::Section ? TRUE : FALSE);
}

void SettingsDialog::OnLineEditChange() {
    const bool hasText = GetWindowTextLengthA(lineEdit.hwnd()) > 0;
    Enable(addButton, hasText);
    Enable(changeButton, hasText);
    lineEdit.holdingText = hasText && GetLine() != selectedText ? 1 : 0;
    if (HasFocus(lineEdit)) DecomposeLine();
}

void SettingsDialog::SetListTop(int top) {
    const RECT rect = ChildRect(itemList.hwnd());
    MoveWindow(itemList.hwnd(), rect.left, top, rect.right - rect.left, rect.bottom - top, TRUE);
}

void SettingsDialog::LayOutLineEdit(bool multi) {
    lineEdit.multiLine = multi ? 1 : 0;
    const RECT rect = ChildRect(lineEdit.hwnd());
    constexpr DWORD multiLineStyles = WS_VSCROLL | WS_HSCROLL | ES_WANTRETURN;
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(lineEdit.hwnd(), GWL_STYLE));
    lineEdit.SetStyle(multi ? style | multiLineStyles : style & ~multiLineStyles);
    const int bottom = multi ? lineEdit.multiBottom : lineEdit.singleBottom;
    MoveWindow(lineEdit.hwnd(), rect.left, rect.top, rect.right - rect.left, bottom - rect.top, TRUE);
    // The scroll bars come and go with the frame.
    SetWindowPos(lineEdit.hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void SettingsDialog::SwitchMode(int mode) {
    if (mode < 0 || mode > 2) return;
    const int show = mode == 1 ? SW_SHOW : SW_HIDE;
    for (SmartControl* field : {&displayEdit, &contentEdit, &itemKindCombo, &displayLabel}) field->Show(show);
    LayOutLineEdit(mode == 2);
    SetListTop(mode == 0 ? itemList.compactTop : itemList.listTop);
    SetLineText();
}

int SettingsDialog::SelectedIndex() { return itemList.GetCurSel(); }

int SettingsDialog::LineCount() { return static_cast<int>(itemList.SendMsg(LB_GETCOUNT)); }

std::string SettingsDialog::LineAt(int index) {
    const auto length = itemList.SendMsg(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR || length < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const auto copied =
        itemList.SendMsg(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR || copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return text;
}

HotkeyBinding* SettingsDialog::RecordAt(int index) {
    const auto data = itemList.SendMsg(LB_GETITEMDATA, static_cast<WPARAM>(index));
    if (data == LB_ERR) return nullptr;
    return reinterpret_cast<HotkeyBinding*>(data);
}

void SettingsDialog::OnSelectionChange() {
    const int selected = SelectedIndex();
    if (GetWindowTextLengthA(lineEdit.hwnd()) == 0) lineEdit.holdingText = 0;
    if (!moving && !lineEdit.holdingText && selected != LB_ERR) {
        selectedText = LineAt(selected);
        SetLine(selectedText);
        lineEdit.SendMsg(EM_SETSEL, 0, -1);
    }
    const int count = LineCount();
    Enable(moveUpButton, selected != LB_ERR && selected != 0);
    Enable(moveDownButton, selected != LB_ERR && selected + 1 != count);
    if (selected == LB_ERR) {
        Enable(deleteButton, false);
        Enable(changeButton, false);
        Enable(itemHotkey, false);
        return;
    }
    Enable(deleteButton, true);
    Enable(changeButton, true);
    ShowItemHotkey(selected);
    Enable(itemHotkey, !IsSeparatorOrBreak(LineAt(selected)));
}

void SettingsDialog::DisableSelectionControls() {
    for (SmartControl* control : {&itemHotkey, &deleteButton, &changeButton, &moveUpButton, &moveDownButton})
        Enable(*control, false);
}

void SettingsDialog::Add() {
    const std::string line = GetLine();
    if (line.empty()) return;
    const int selected = SelectedIndex();
    const auto inserted = itemList.SendMsg(LB_INSERTSTRING, static_cast<WPARAM>(selected),
                                           reinterpret_cast<LPARAM>(line.c_str()));
    if (inserted < 0) return;  // the list box is out of memory: the text stays in the edit
    itemList.SendMsg(LB_SETITEMDATA, static_cast<WPARAM>(inserted), 0);
    itemList.SetCurSel(static_cast<int>(inserted));
    if (selected == LB_ERR)
        itemList.SetCurSel(-1);
    else
        ReportSelectionChange();
    SetLine("");
    // Without a selection the hotkey control would take keys for no item.
    Enable(itemHotkey, selected != LB_ERR && !IsSeparatorOrBreak(line));
}

void SettingsDialog::Delete() {
    const int selected = SelectedIndex();
    if (selected != LB_ERR) {
        if (HotkeyBinding* record = RecordAt(selected)) {
            itemList.SendMsg(LB_SETITEMDATA, static_cast<WPARAM>(selected), 0);
            itemHotkeys.Remove(record);
        }
        itemList.SendMsg(LB_DELETESTRING, static_cast<WPARAM>(selected));
    }
    if (!lineEdit.holdingText) SetLine("");
    if (itemList.SetCurSel(selected) == LB_ERR && itemList.SetCurSel(selected - 1) == LB_ERR) {
        for (SmartControl* control : {&deleteButton, &changeButton, &moveUpButton, &moveDownButton})
            Enable(*control, false);
        OnControlNotify(LBN_SELCANCEL, IDC_ITEM_LIST, &itemList);
        return;
    }
    ReportSelectionChange();
}

void SettingsDialog::Change() {
    const int selected = SelectedIndex();
    if (selected == LB_ERR) return;
    const int before = LineCount();
    ClickButton(IDC_ADD_BUTTON);
    // Without a new item (an empty line edit) the old one must stay.
    if (LineCount() != before + 1) return;
    itemList.SetCurSel(selected + 1);
    HotkeyBinding* record = RecordAt(selected + 1);
    itemList.SendMsg(LB_SETITEMDATA, static_cast<WPARAM>(selected + 1), 0);
    ClickButton(IDC_DELETE_BUTTON);
    itemList.SendMsg(LB_SETITEMDATA, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(record));
    itemList.SetCurSel(selected);
    SetLine("");
    if (IsSeparatorOrBreak(LineAt(selected))) {
        Enable(itemHotkey, false);
        if (record) {
            itemList.SendMsg(LB_SETITEMDATA, static_cast<WPARAM>(selected), 0);
            itemHotkeys.Remove(record);
        }
        itemHotkey.SendMsg(HKM_SETHOTKEY, 0);
        return;
    }
    Enable(itemHotkey, true);
    ShowItemHotkey(selected);
}
