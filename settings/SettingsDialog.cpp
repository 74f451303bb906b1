// The settings dialog as a whole: initialisation, the help area, OK, Cancel,
// Update, activation, clean-up and the routing of clicks, notifications and keys.
#include "settings/SettingsDialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include "WindowRegistry.h"
#include "settings/DialogText.h"
#include "settings/HelpText.h"
#include "settings/SettingsOwner.h"

namespace {

constexpr int HistoryLimitMaximum = 120;

}  // namespace

SettingsDialog::SettingsDialog() = default;

// The records go with itemHotkeys; the controls were released when the
// dialog ended.
SettingsDialog::~SettingsDialog() = default;

BOOL SettingsDialog::OnInitDialog(WPARAM wParam, LPARAM lParam) {
    CreateSpin();
    FillCombos();
    SmartDialog::OnInitDialog(wParam, lParam);
    if (!IsBound()) return FALSE;  // the owner ended the dialog while filling it
    saved = Contents();
    PutButtonIcons();
    RecordGeometry();
    SetListTop(itemList.compactTop);
    LayOutLineEdit(false);
    SetFocus(lineEdit.hwnd());
    TrimSystemMenu();
    DragAcceptFiles(hwnd(), TRUE);
    return FALSE;  // the focus is set
}

void SettingsDialog::CreateSpin() {
    spin = CreateWindowExA(
        0, UPDOWN_CLASSA, "",
        WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0,
        8, 8, hwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_HISTORY_LIMIT_SPIN)),
        DialogInstance(), nullptr);
    if (!spin) return;
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(historyLimitEdit.hwnd()), 0);
    SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(HistoryLimitMaximum, 0));
}

void SettingsDialog::FillCombos() {
    for (const char* mode : {"単一行で追加", "表示と内容別", "複数行で追加"})
        inputModeCombo.SendMsg(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode));
    inputModeCombo.SendMsg(CB_SETCURSEL, 0);
    for (const char* kind : {"入力する文字", "実行する文字", "項目を区切る", "項目を改行", "新メニュー"})
        itemKindCombo.SendMsg(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
    itemKindCombo.SendMsg(CB_SETCURSEL, 0);
}

void SettingsDialog::PutButtonIcons() {
    const struct {
        SmartControl& button;
        ButtonIcon& icon;
        int id;
        int size;
    } pictures[] = {
        {moveUpButton, upIcon_, IDI_UP_ARROW, 32},
        {moveDownButton, downIcon_, IDI_DOWN_ARROW, 32},
        {insertFileButton, fileIcon_, IDI_FILE_OPEN, 16},
    };
    for (const auto& picture : pictures) {
        picture.icon.reset(
            static_cast<HICON>(LoadImageA(DialogInstance(), MAKEINTRESOURCEA(picture.id), IMAGE_ICON,
                                          picture.size, picture.size, LR_DEFAULTCOLOR)));
        picture.button.SendMsg(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture.icon.get()));
    }
}

RECT SettingsDialog::ChildRect(HWND child) const {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void SettingsDialog::RecordGeometry() {
    itemList.compactTop = ChildRect(displayEdit.hwnd()).top;
    itemList.listTop = ChildRect(itemList.hwnd()).top;
    lineEdit.multiBottom = ChildRect(contentEdit.hwnd()).bottom;
    lineEdit.singleBottom = ChildRect(lineEdit.hwnd()).bottom;
}

void SettingsDialog::TrimSystemMenu() {
    HMENU menu = GetSystemMenu(hwnd(), FALSE);
    if (!menu) return;
    for (UINT command : {SC_RESTORE, SC_MAXIMIZE, SC_SIZE}) DeleteMenu(menu, command, MF_BYCOMMAND);
}

SmartWindow* SettingsDialog::LiveOwner() const {
    return owner() && IsRegistered(owner()) ? owner() : nullptr;
}

SettingsOwner* SettingsDialog::FindSettingsOwner() const { return dynamic_cast<SettingsOwner*>(LiveOwner()); }

void SettingsDialog::OnOK() {
    const std::string line = GetLine();
    const HWND focus = GetFocus();
    if (focus && focus == displayEdit.hwnd()) {
        SetFocus(contentEdit.hwnd());
        return;
    }
    if (lineEdit.enterPressed || (focus && focus == contentEdit.hwnd())) {
        const bool adds = !line.empty() && (lineEdit.holdingText || line == "---" || line == "-->");
        if (adds) {
            const bool byEnter = lineEdit.enterPressed != 0;
            ClickButton(IDC_ADD_BUTTON);
            SetFocus(byEnter ? lineEdit.hwnd() : displayEdit.hwnd());
            lineEdit.enterPressed = 0;
            return;
        }
    }
    lineEdit.enterPressed = 0;
    // Settings that could not be saved keep the dialog open, with every edit.
    if (SettingsOwner* settingsOwner = FindSettingsOwner();
        settingsOwner && !settingsOwner->ApplySettings(this))
        return;
    if (SmartWindow* owner = LiveOwner()) {
        owner->PreDialogOk(dialogTemplate(), this);
        owner->OnDialogOk(dialogTemplate(), this);
    }
    CleanUp();
    EndModal(1);
}

// The list, its hotkeys and the menu hotkeys: what Cancel would lose of the
// user's typing. A ticked box is quickly ticked again and is not asked about.
std::string SettingsDialog::Contents() {
    std::string contents;
    for (int id = 0; id < 3; ++id) contents += std::to_string(MenuHotkey(id)) + "|";
    for (int i = 0; i < LineCount(); ++i) {
        const HotkeyBinding* record = LineHotkey(i);
        contents += "\n" + LineAt(i) + "\t" +
                    (record ? std::to_string(record->virtualKey * 256 + record->modifiers) : "");
    }
    return contents;
}

void SettingsDialog::OnCancel() {
    // Esc also ends an IME conversion, and is easily pressed once too often.
    if (Contents() != saved &&
        MessageBoxA(hwnd(), LoadDialogString(IDS_DISCARD_CHANGES).c_str(),
                    LoadDialogString(IDS_TITLE).c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    if (SmartWindow* owner = LiveOwner()) {
        owner->PreDialogCancel(dialogTemplate(), this);
        owner->OnDialogCancel(dialogTemplate(), this);
    }
    CleanUp();
    EndModal(0);
}

void SettingsDialog::OnDestroy() {
    CleanUp();
    SmartDialog::OnDestroy();
}

void SettingsDialog::CleanUp() {
    if (!IsBound()) return;
    for (SmartControl* combo : {&inputModeCombo, &itemKindCombo}) {
        for (int i = static_cast<int>(combo->SendMsg(CB_GETCOUNT)) - 1; i >= 0; --i)
            combo->SendMsg(CB_DELETESTRING, static_cast<WPARAM>(i));
    }
    for (int i = LineCount() - 1; i >= 0; --i) itemList.SendMsg(LB_DELETESTRING, static_cast<WPARAM>(i));
    for (SmartControl* button : {&moveUpButton, &moveDownButton, &insertFileButton})
        button->SendMsg(BM_SETIMAGE, IMAGE_ICON, 0);
    upIcon_.reset();
    downIcon_.reset();
    fileIcon_.reset();
}

void SettingsDialog::OnActivate(UINT state, HWND, UINT) {
    // Hotkeys typed into the hotkey controls must not be caught by the
    // application's global hotkeys: they are off while the dialog is active.
    PostMessageA(MainWindowHandle(), WM_COMMAND, IDM_HOTKEYS, state == WA_INACTIVE ? 1 : 0);
    ForwardCurrent();
}

void SettingsDialog::ClickButton(UINT id) { OnControlClicked(id, nullptr); }

void SettingsDialog::ReportSelectionChange() { OnControlNotify(LBN_SELCHANGE, IDC_ITEM_LIST, &itemList); }

void SettingsDialog::OnControlClicked(UINT id, SmartWindow*) {
    if (!IsBound()) return;
    switch (id) {
        case IDC_ADD_BUTTON:
            Add();
            break;
        case IDC_DELETE_BUTTON:
            Delete();
            break;
        case IDC_CHANGE_BUTTON:
            Change();
            break;
        case IDC_MOVE_UP_BUTTON:
            MoveUp();
            break;
        case IDC_MOVE_DOWN_BUTTON:
            MoveDown();
            break;
        case IDC_INSERT_FILE_BUTTON:
            InsertFileFromDialog();
            break;
        case IDC_TILDE_CHECK:
            OnTildeClicked();
            break;
        case IDC_UPDATE_BUTTON:
            if (SettingsOwner* owner = FindSettingsOwner(); owner && owner->ApplySettings(this))
                saved = Contents();
            break;
        default:
            break;
    }
}

void SettingsDialog::OnControlNotify(UINT code, UINT id, SmartWindow*) {
    if (!IsBound()) return;
    switch (id) {
        case IDC_ITEM_LIST:
            if (code == LBN_SELCHANGE)
                OnSelectionChange();
            else if (code == LBN_SELCANCEL)
                DisableSelectionControls();
            break;
        case IDC_LINE_EDIT:
            if (code == EN_CHANGE) OnLineEditChange();
            break;
        case IDC_DISPLAY_EDIT:
            if (code == EN_CHANGE && HasFocus(displayEdit)) ComposeLine();
            break;
        case IDC_CONTENT_EDIT:
            if (code == EN_CHANGE && HasFocus(contentEdit)) ComposeLine();
            break;
        case IDC_INPUT_MODE_COMBO:
            if (code == CBN_SELCHANGE) SwitchMode(static_cast<int>(inputModeCombo.SendMsg(CB_GETCURSEL)));
            break;
        case IDC_ITEM_KIND_COMBO:
            if (code == CBN_SELCHANGE && HasFocus(itemKindCombo)) ComposeLine();
            break;
        case IDC_ITEM_HOTKEY:
            if (code == EN_CHANGE) OnItemHotkeyChange();
            break;
        default:
            break;
    }
    UpdateHelp();
}

void SettingsDialog::OnKeyDown(WPARAM key, LPARAM) {
    if (!IsBound()) return;
    const HWND focus = GetFocus();
    const int focusId = focus && IsChild(hwnd(), focus) ? GetDlgCtrlID(focus) : 0;
    switch (key) {
        case VK_INSERT:
            // In a hotkey control Ins is a key to assign; Shift+Ins and Ctrl+Ins paste and copy.
            if ((focusId < IDC_ITEM_HOTKEY || focusId > IDC_HISTORY_MENU_HOTKEY) && !ModifierHeld())
                ClickButton(IDC_ADD_BUTTON);
            break;
        case VK_DELETE:
            if (focus == itemList.hwnd()) ClickButton(IDC_DELETE_BUTTON);
            break;
        case VK_UP:
        case VK_DOWN:
            if (focus && (focus == displayEdit.hwnd() || focus == contentEdit.hwnd()))
                PassArrowKeyFromField(key, focus);
            break;
        default:
            break;
    }
}

// The line edit takes the focus for the move, so that the newly selected
// line is taken apart into the separate fields.
void SettingsDialog::PassArrowKeyFromField(WPARAM key, HWND field) {
    SetFocus(lineEdit.hwnd());
    itemList.HandleArrowKey(key);
    displayEdit.SendMsg(EM_SETSEL, 0, -1);
    contentEdit.SendMsg(EM_SETSEL, 0, -1);
    SetFocus(field);
}

void SettingsDialog::UpdateHelp() {
    if (!IsBound()) return;
    const HWND focus = GetFocus();
    const std::string line = GetLine();
    HelpState state;
    state.hasFocus = focus != nullptr;
    state.focusId = focus ? static_cast<int>(GetWindowLongPtrA(focus, GWLP_ID)) : 0;
    state.line = line;
    state.holdingText = lineEdit.holdingText != 0;
    state.multiLine = lineEdit.multiLine != 0;
    const UINT id = ChooseHelpString(state);
    statusText.SetText(id ? LoadDialogString(id).c_str() : "");
}

void SettingsDialog::ShowStatus(UINT stringId) { statusText.SetText(LoadDialogString(stringId).c_str()); }

void SettingsDialog::ClearStatus() { statusText.SetText(""); }

void SettingsDialog::ShowStatusText(const std::string& text) { statusText.SetText(text.c_str()); }

bool SettingsDialog::HasFocus(const SmartControl& control) const {
    const HWND focus = GetFocus();
    return focus && focus == control.hwnd();
}

void SettingsDialog::Enable(SmartControl& control, bool enabled) {
    if (control.IsBound()) EnableWindow(control.hwnd(), enabled ? TRUE : FALSE);
}
