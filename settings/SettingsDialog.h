#pragma once
// The settings dialog (template 103): the phrase list with its per-item
// hotkeys, the three menu hotkeys and the options. It edits copies in its
// own controls; the owner takes them over on OK or Update (SettingsOwner).
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "SmartControl.h"
#include "SmartDialog.h"
#include "data/HotkeyList.h"
#include "resource.h"
#include "settings/ItemListBox.h"
#include "settings/LineEdit.h"

class SettingsOwner;

class SettingsDialog : public SmartDialog {
  public:
    SettingsDialog();
    ~SettingsDialog() override;

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    // Enter in the display edit moves on to the content edit; Enter while
    // text is held (or on "---" / "-->") adds it; otherwise the owner applies
    // the settings and the dialog closes, unless they could not be saved.
    void OnOK() override;
    void OnCancel() override;
    void OnActivate(UINT state, HWND otherWindow, UINT minimized) override;
    void OnKeyDown(WPARAM key, LPARAM flags) override;
    void OnDropFiles(HDROP drop) override;
    void OnDestroy() override;
    void OnControlClicked(UINT id, SmartWindow* control) override;
    void OnControlNotify(UINT code, UINT id, SmartWindow* control) override;

    // ---- For the owner: filling the dialog and reading it back ----

    // Appends a phrase line; a binding with a key is copied into a record of
    // the dialog's own, which becomes the item's data.
    void AppendLine(std::string_view line, const HotkeyBinding* binding);
    // A line the program added to its menus while the dialog is open (文字追加):
    // a section line at the end, any other line where the menus put it, at the
    // end of the phrases before the first section line. OK and Update keep it.
    void ListAddedLine(std::string_view line, bool isSection);
    int LineCount();
    // The whole text of a list item (empty for an index out of range).
    std::string LineAt(int index);
    // The item's hotkey record, or null.
    const HotkeyBinding* LineHotkey(int index);
    // Menu hotkeys by binding identifier: 0 main menu (1008), 1 history
    // menu (1010), 2 phrase menu (1009). A binding without key empties the control.
    void SetMenuHotkey(int bindingId, std::uint8_t virtualKey, std::uint8_t modifiers);
    // The control's HKM_GETHOTKEY value; 0 when empty.
    WORD MenuHotkey(int bindingId);
    static int MenuHotkeyControl(int bindingId);
    void SetTildeOption(bool on);
    bool TildeOption();
    void SetWaitForKeyRelease(bool on);
    bool WaitForKeyRelease();
    void SetHistoryLimit(int limit);
    // The typed history size; beyond the int range it saturates.
    int HistoryLimit();
    // Shows a string of the string table in the status area.
    void ShowStatus(UINT stringId);
    void ClearStatus();
    void ShowStatusText(const std::string& text);
    std::size_t ItemHotkeyCount() const { return itemHotkeys.size(); }
    bool IsHoldingText() const { return lineEdit.holdingText != 0; }
    bool IsMultiLine() const { return lineEdit.multiLine != 0; }
    bool IsDragging() const { return itemList.IsDragging(); }

    // ---- For the control classes ----

    // A click that behaves exactly like a real one on the button.
    void ClickButton(UINT id);
    void ReportSelectionChange();
    // Moves the selected item to index target (its final index); without a
    // selection, or with target -1, only disables what needs a selection.
    void MoveItem(int target);
    // Up and Down typed in the line edit go to the list box.
    void PassArrowKeyToList(WPARAM key) { itemList.HandleArrowKey(key); }

    // ---- Editing ----

    // The line edit's text as a phrase line: line breaks as backslash-n.
    std::string GetLine();
    // Puts text (or the current text) into the line edit, converted for the input mode.
    void SetLineText();
    void SetLineText(std::string_view text);
    void SetLine(std::string_view text);
    // Sets the line edit's window text and runs the change handling.
    void SetLineEditText(const std::string& text);
    void ComposeLine();
    void DecomposeLine();
    // A path into the line edit: at the caret, or as a command line when
    // the edit is empty or wholly selected.
    void InsertFileName(std::string_view path);
    void UpdateHelp();

  private:
    // Members, in this order: the text last copied from the list, then the
    // control wrappers (bound by identifier when the dialog window opens).
    std::string selectedText;
    // The contents as the owner filled them or as Update last saved them.
    std::string saved;
    SmartControl tildeCheck{IDC_TILDE_CHECK};
    HotkeyList itemHotkeys;
    SmartControl statusText{IDC_STATUS_TEXT};
    SmartControl addButton{IDC_ADD_BUTTON};
    SmartControl deleteButton{IDC_DELETE_BUTTON};
    SmartControl changeButton{IDC_CHANGE_BUTTON};
    SmartControl moveUpButton{IDC_MOVE_UP_BUTTON};
    SmartControl moveDownButton{IDC_MOVE_DOWN_BUTTON};
    SmartControl insertFileButton{IDC_INSERT_FILE_BUTTON};
    SmartControl updateButton{IDC_UPDATE_BUTTON};
    LineEdit lineEdit{this};
    SmartControl displayEdit{IDC_DISPLAY_EDIT};
    SmartControl contentEdit{IDC_CONTENT_EDIT};
    ItemListBox itemList{this};
    SmartControl itemHotkey{IDC_ITEM_HOTKEY};
    SmartControl mainMenuHotkey{IDC_MAIN_MENU_HOTKEY};
    SmartControl phraseMenuHotkey{IDC_PHRASE_MENU_HOTKEY};
    SmartControl historyMenuHotkey{IDC_HISTORY_MENU_HOTKEY};
    SmartControl waitReleaseCheck{IDC_WAIT_RELEASE_CHECK};
    SmartControl inputModeCombo{IDC_INPUT_MODE_COMBO};
    SmartControl itemKindCombo{IDC_ITEM_KIND_COMBO};
    SmartControl displayLabel{IDC_DISPLAY_LABEL};
    HWND spin = nullptr;
    SmartControl historyLimitEdit{IDC_HISTORY_LIMIT_EDIT};
    // Set while a move reports its selection change.
    std::int32_t moving = 0;

    struct IconDeleter {
        void operator()(HICON icon) const { DestroyIcon(icon); }
    };
    using ButtonIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

    SmartWindow* LiveOwner() const;
    SettingsOwner* FindSettingsOwner() const;
    std::string Contents();
    void CleanUp();
    void CreateSpin();
    void FillCombos();
    void PutButtonIcons();
    void RecordGeometry();
    void TrimSystemMenu();
    RECT ChildRect(HWND child) const;
    void SetListTop(int top);
    void LayOutLineEdit(bool multi);
    void SwitchMode(int mode);
    bool HasFocus(const SmartControl& control) const;
    void Enable(SmartControl& control, bool enabled);

    void OnSelectionChange();
    void DisableSelectionControls();
    void OnLineEditChange();
    void OnItemHotkeyChange();
    void OnTildeClicked();
    void Add();
    void Delete();
    void Change();
    void MoveUp();
    void MoveDown();
    void InsertFileFromDialog();
    void ShowItemHotkey(int index);
    void PassArrowKeyFromField(WPARAM key, HWND field);

    HotkeyBinding* RecordAt(int index);
    int SelectedIndex();
    int ItemKindIndex();
    static void SetTextIfDifferent(SmartControl& control, std::string_view text);
    // Position just after the last character, in the line edit's own units.
    int LineEditEnd();

    ButtonIcon upIcon_;
    ButtonIcon downIcon_;
    ButtonIcon fileIcon_;
};
