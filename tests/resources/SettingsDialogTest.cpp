// Template 103: the checks that catch real mistakes in the script (tab order,
// the ids the dialog code looks up, initial hidden/disabled states, the frame
// and font), on the template and on a dialog created from it.
#include "DialogTemplateReader.h"
#include "TestResources.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <iterator>

namespace {

struct ControlRow {
    int id;
    const char* className;
    bool hidden;
    bool disabled;
};

// In tab order; -1 are the labels.
const ControlRow SettingsControls[] = {
    {IDOK, "BUTTON", false, false},
    {IDC_ADD_BUTTON, "BUTTON", false, true},
    {IDC_DELETE_BUTTON, "BUTTON", false, true},
    {IDC_MOVE_UP_BUTTON, "BUTTON", false, true},
    {IDC_MOVE_DOWN_BUTTON, "BUTTON", false, true},
    {IDCANCEL, "BUTTON", false, false},
    {IDC_INPUT_MODE_COMBO, "COMBOBOX", false, false},
    {IDC_DISPLAY_LABEL, "STATIC", true, false},
    {IDC_DISPLAY_EDIT, "EDIT", true, false},
    {IDC_ITEM_KIND_COMBO, "COMBOBOX", true, false},
    {IDC_CONTENT_EDIT, "EDIT", true, false},
    {IDC_ITEM_LIST, "LISTBOX", false, false},
    {-1, "STATIC", false, false},
    {IDC_ITEM_HOTKEY, "msctls_hotkey32", false, true},
    {IDC_TILDE_CHECK, "BUTTON", false, false},
    {IDC_STATUS_TEXT, "STATIC", false, false},
    {IDC_INSERT_FILE_BUTTON, "BUTTON", false, false},
    {IDC_UPDATE_BUTTON, "BUTTON", false, false},
    {IDC_CHANGE_BUTTON, "BUTTON", false, true},
    {IDC_HISTORY_LIMIT_EDIT, "EDIT", false, false},
    {-1, "STATIC", false, false},
    {-1, "STATIC", false, false},
    {IDC_MAIN_MENU_HOTKEY, "msctls_hotkey32", false, false},
    {-1, "STATIC", false, false},
    {IDC_PHRASE_MENU_HOTKEY, "msctls_hotkey32", false, false},
    {-1, "STATIC", false, false},
    {IDC_HISTORY_MENU_HOTKEY, "msctls_hotkey32", false, false},
    {IDC_WAIT_RELEASE_CHECK, "BUTTON", false, false},
    {IDC_LINE_EDIT, "EDIT", false, false},
};

bool IsClass(const DialogItemTemplate& item, const char* className)
{
    return lstrcmpiA(item.className.c_str(), className) == 0;
}

class SettingsDialog : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InitDialogControls());
        std::optional<DialogTemplate> read = ReadDialogTemplate(IDD_SETTINGS);
        ASSERT_TRUE(read.has_value());
        dialog = *read;
    }

    DialogTemplate dialog;
};

}  // namespace

TEST_F(SettingsDialog, FrameCaptionAndFont)
{
    EXPECT_EQ(dialog.caption, "クウィブラの設定");
    EXPECT_EQ(dialog.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                               DS_CENTER | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(dialog.rect.right - dialog.rect.left, 255);
    EXPECT_EQ(dialog.rect.bottom - dialog.rect.top, 273);
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.typeface, "ＭＳ Ｐゴシック");
}

// Tab stops on every visible input control and none on labels; borders on
// the edits, the list and the hotkey fields only; picture buttons without text.
TEST_F(SettingsDialog, ControlStylesFollowTheirRoles)
{
    for (const DialogItemTemplate& item : dialog.items) {
        SCOPED_TRACE(testing::Message() << "id " << item.id);
        if (IsClass(item, "STATIC")) {
            EXPECT_FALSE(item.style & WS_TABSTOP);
        }
        else if (item.style & WS_VISIBLE) {
            EXPECT_TRUE(item.style & WS_TABSTOP);
        }
        bool bordered = IsClass(item, "EDIT") || IsClass(item, "LISTBOX") ||
                        IsClass(item, "msctls_hotkey32");
        EXPECT_EQ((item.style & WS_BORDER) != 0, bordered);
        if (item.id == IDC_MOVE_UP_BUTTON || item.id == IDC_MOVE_DOWN_BUTTON ||
            item.id == IDC_INSERT_FILE_BUTTON) {
            EXPECT_TRUE(item.style & BS_ICON);
            EXPECT_EQ(item.caption, "");
        }
    }
}

// The created dialog holds the controls in tab order, with their initial states.
TEST_F(SettingsDialog, CreatedDialogHoldsEveryControlInTabOrder)
{
    ASSERT_EQ(dialog.items.size(), std::size(SettingsControls));
    WindowHandle window = CreateHiddenDialog(IDD_SETTINGS);
    ASSERT_TRUE(window);
    HWND child = GetWindow(window.get(), GW_CHILD);
    for (const ControlRow& row : SettingsControls) {
        SCOPED_TRACE(testing::Message() << "id " << row.id);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), row.id);
        char className[64] = {};
        GetClassNameA(child, className, sizeof(className));
        EXPECT_STRCASEEQ(className, row.className);
        EXPECT_EQ((GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) == 0, row.hidden);
        EXPECT_EQ(IsWindowEnabled(child) == FALSE, row.disabled);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);
    const LONG_PTR lineStyle = GetWindowLongPtrA(GetDlgItem(window.get(), IDC_LINE_EDIT), GWL_STYLE);
    EXPECT_TRUE(lineStyle & ES_MULTILINE) << "the modes switch its other styles only";
    const LONG_PTR listStyle = GetWindowLongPtrA(GetDlgItem(window.get(), IDC_ITEM_LIST), GWL_STYLE);
    EXPECT_TRUE(listStyle & LBS_NOTIFY);
    EXPECT_TRUE(GetWindowLongPtrA(GetDlgItem(window.get(), IDC_HISTORY_LIMIT_EDIT), GWL_STYLE) & ES_NUMBER);
}
