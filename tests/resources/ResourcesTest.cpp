#include <gtest/gtest.h>

#include "ResourceText.h"
#include "data/DefaultPhraseList.h"
#include "resource.h"

const HINSTANCE Module = GetModuleHandleA(nullptr);

// The settings dialog as it opens: tab stops in order, shown and hidden, what is disabled, vital styles.
TEST(ResourcesSettingsDialog, TabStopsStatesAndStyles) {
    const HWND dialog = CreateDialogParamA(Module, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, nullptr, 0);
    std::vector<int> shown, hidden, disabled;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (style & WS_TABSTOP) (style & WS_VISIBLE ? shown : hidden).push_back(GetDlgCtrlID(child));
        if (style & WS_DISABLED) disabled.push_back(GetDlgCtrlID(child));
    }
    EXPECT_EQ(shown, std::vector<int>({IDOK, IDC_ADD_BUTTON, IDC_DELETE_BUTTON, IDC_MOVE_UP_BUTTON,
                                       IDC_MOVE_DOWN_BUTTON, IDCANCEL, IDC_INPUT_MODE_COMBO, IDC_ITEM_LIST,
                                       IDC_ITEM_HOTKEY, IDC_TILDE_CHECK, IDC_INSERT_FILE_BUTTON,
                                       IDC_UPDATE_BUTTON, IDC_CHANGE_BUTTON, IDC_HISTORY_LIMIT_EDIT,
                                       IDC_MAIN_MENU_HOTKEY, IDC_PHRASE_MENU_HOTKEY, IDC_HISTORY_MENU_HOTKEY,
                                       IDC_WAIT_RELEASE_CHECK, IDC_LINE_EDIT}));
    EXPECT_EQ(hidden, std::vector<int>({IDC_DISPLAY_EDIT, IDC_ITEM_KIND_COMBO, IDC_CONTENT_EDIT}));
    EXPECT_EQ(disabled, std::vector<int>({IDC_ADD_BUTTON, IDC_DELETE_BUTTON, IDC_MOVE_UP_BUTTON,
                                          IDC_MOVE_DOWN_BUTTON, IDC_ITEM_HOTKEY, IDC_CHANGE_BUTTON}));
    for (const auto& [id, style] : {std::pair<int, LONG>{IDC_LINE_EDIT, ES_MULTILINE | ES_WANTRETURN},
                                    {IDC_ITEM_LIST, LBS_NOTIFY},
                                    {IDC_TILDE_CHECK, BS_AUTOCHECKBOX}})
        EXPECT_EQ(style, GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & style) << id;
    DestroyWindow(dialog);
}

// Icons at both sizes (DestroyIcon fails without one), the default list, the menu's fixed commands.
TEST(ResourcesLoad, IconsDefaultListAndMenuCommands) {
    for (int id :
         {IDI_KWIBRA, IDI_DOWN_ARROW, IDI_UP_ARROW, IDI_KWIBRA_BUSY, IDI_FILE_OPEN, IDI_LABEL, IDI_HISTORY})
        for (int size : {16, 32})
            EXPECT_TRUE(DestroyIcon(
                static_cast<HICON>(LoadImageA(Module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0))));
    EXPECT_EQ(DefaultPhraseList(), LoadResourceText(Module, IDS_DEFAULT_LIST));
    const HMENU menu = LoadMenuA(Module, MAKEINTRESOURCEA(IDR_MAIN_MENU));
    for (UINT id : {IDM_SETTINGS, IDM_ABOUT, IDM_EXIT}) EXPECT_NE(~0u, GetMenuState(menu, id, MF_BYCOMMAND));
    DestroyMenu(menu);
}
