#include "DialogTemplateReader.h"
#include "TestResources.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

struct ControlRow {
    int id;
    const char* className;
    const char* caption;
    RECT rect;  // x, y, right, bottom in dialog units
    bool hidden;
    DWORD style;  // besides WS_CHILD and WS_VISIBLE
    DWORD exStyle;
};

constexpr RECT At(LONG x, LONG y, LONG cx, LONG cy)
{
    return RECT{x, y, x + cx, y + cy};
}

constexpr DWORD Tab = WS_TABSTOP;
constexpr DWORD Framed = WS_TABSTOP | WS_BORDER;

// In template (tab) order.
const ControlRow SettingsControls[] = {
    {IDOK, "BUTTON", "&OK", At(201, 7, 47, 14), false, BS_DEFPUSHBUTTON | Tab, 0},
    {IDC_ADD_BUTTON, "BUTTON", "追加(&A)", At(7, 29, 35, 14), false, WS_DISABLED | Tab, 0},
    {IDC_DELETE_BUTTON, "BUTTON", "削除(&D)", At(42, 29, 35, 14), false, WS_DISABLED | Tab, 0},
    {IDC_MOVE_UP_BUTTON, "BUTTON", "", At(111, 29, 18, 14), false, BS_ICON | WS_DISABLED | Tab, 0},
    {IDC_MOVE_DOWN_BUTTON, "BUTTON", "", At(129, 29, 19, 14), false, BS_ICON | WS_DISABLED | Tab, 0},
    {IDCANCEL, "BUTTON", "キャンセル(&C)", At(201, 22, 47, 14), false, Tab, 0},
    {IDC_INPUT_MODE_COMBO, "COMBOBOX", "", At(7, 47, 58, 53), false, CBS_DROPDOWNLIST | Tab, 0},
    {IDC_DISPLAY_LABEL, "STATIC", "表示する文字", At(7, 67, 58, 12), true, SS_SUNKEN | SS_CENTERIMAGE, 0},
    {IDC_DISPLAY_EDIT, "EDIT", "", At(66, 66, 182, 14), true, ES_AUTOHSCROLL | Framed, 0},
    {IDC_ITEM_KIND_COMBO, "COMBOBOX", "", At(7, 86, 58, 71), true, CBS_DROPDOWNLIST | Tab, 0},
    {IDC_CONTENT_EDIT, "EDIT", "", At(66, 86, 182, 14), true, ES_AUTOHSCROLL | Framed, 0},
    {IDC_ITEM_LIST, "LISTBOX", "", At(7, 105, 241, 68), false,
     LBS_NOTIFY | LBS_SORT | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | Framed, 0},
    {-1, "STATIC", "選択した項目に対してのショートカットキー(個数無制限)：", At(4, 177, 167, 9), false,
     SS_RIGHT | SS_CENTERIMAGE, 0},
    {IDC_ITEM_HOTKEY, "msctls_hotkey32", "", At(173, 175, 75, 14), false, WS_DISABLED | Framed, 0},
    {IDC_TILDE_CHECK, "BUTTON", "[ 0 ]の上の[ ~ ]が入るを有効", At(7, 254, 100, 12), false,
     BS_AUTOCHECKBOX | Tab, WS_EX_STATICEDGE},
    {IDC_STATUS_TEXT, "STATIC", "", At(7, 7, 193, 19), false, SS_LEFT, WS_EX_STATICEDGE},
    {IDC_INSERT_FILE_BUTTON, "BUTTON", "", At(148, 29, 18, 14), false, BS_ICON | Tab, 0},
    {IDC_UPDATE_BUTTON, "BUTTON", "更新(&U)", At(168, 29, 31, 14), false, Tab, 0},
    {IDC_CHANGE_BUTTON, "BUTTON", "変更(&R)", At(79, 29, 31, 14), false, WS_DISABLED | Tab, 0},
    {IDC_HISTORY_LIMIT_EDIT, "EDIT", "", At(219, 252, 29, 14), false,
     ES_NUMBER | ES_AUTOHSCROLL | Framed, 0},
    {-1, "STATIC", "クリップボード履歴の保持個数：", At(125, 253, 92, 13), false, SS_CENTERIMAGE, 0},
    {-1, "STATIC", "「メインメニュー」を表示するショートカットキー：", At(7, 193, 164, 9), false,
     SS_RIGHT | SS_CENTERIMAGE, 0},
    {IDC_MAIN_MENU_HOTKEY, "msctls_hotkey32", "", At(173, 191, 75, 14), false, Framed, 0},
    {-1, "STATIC", "「よく使う文字メニュー」を表示するショートカットキー：", At(7, 209, 164, 9), false,
     SS_RIGHT | SS_CENTERIMAGE, 0},
    {IDC_PHRASE_MENU_HOTKEY, "msctls_hotkey32", "", At(173, 207, 75, 14), false, Framed, 0},
    {-1, "STATIC", "「クリップボード履歴」を表示するショートカットキー：", At(7, 225, 164, 9), false,
     SS_RIGHT | SS_CENTERIMAGE, 0},
    {IDC_HISTORY_MENU_HOTKEY, "msctls_hotkey32", "", At(173, 223, 75, 14), false, Framed, 0},
    {IDC_WAIT_RELEASE_CHECK, "BUTTON", "個別に設定したショートカットキーで張り付けをできないときの対策",
     At(7, 238, 241, 11), false, BS_AUTOCHECKBOX | BS_VCENTER | Tab, WS_EX_STATICEDGE},
    {IDC_LINE_EDIT, "EDIT", "", At(66, 47, 182, 14), false,
     ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | Framed, 0},
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

TEST_F(SettingsDialog, ControlsInTabOrderWithTheirStyles)
{
    ASSERT_EQ(dialog.items.size(), std::size(SettingsControls));
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        const DialogItemTemplate& item = dialog.items[i];
        const ControlRow& row = SettingsControls[i];
        SCOPED_TRACE(testing::Message() << "control " << i << " id " << row.id);
        EXPECT_EQ(item.id, row.id);
        EXPECT_STRCASEEQ(item.className.c_str(), row.className);
        EXPECT_EQ(item.caption, row.caption);
        EXPECT_TRUE(EqualRect(&item.rect, &row.rect));
        DWORD style = WS_CHILD | (row.hidden ? 0 : WS_VISIBLE) | row.style;
        EXPECT_EQ(item.style, style) << std::hex << (item.style ^ style);
        EXPECT_EQ(item.exStyle, row.exStyle);
    }
}

TEST_F(SettingsDialog, InputControlsTakeTabStopsAndBorders)
{
    for (const DialogItemTemplate& item : dialog.items) {
        SCOPED_TRACE(testing::Message() << "id " << item.id);
        bool visible = item.style & WS_VISIBLE;
        if (IsClass(item, "STATIC")) {
            EXPECT_FALSE(item.style & WS_TABSTOP);
        }
        else if (visible) {
            EXPECT_TRUE(item.style & WS_TABSTOP);
        }
        bool bordered = IsClass(item, "EDIT") || IsClass(item, "LISTBOX") ||
                        IsClass(item, "msctls_hotkey32");
        EXPECT_EQ((item.style & WS_BORDER) != 0, bordered);
    }
}

TEST_F(SettingsDialog, IconButtonsShowNoText)
{
    for (int id : {IDC_MOVE_UP_BUTTON, IDC_MOVE_DOWN_BUTTON, IDC_INSERT_FILE_BUTTON}) {
        auto item = std::find_if(dialog.items.begin(), dialog.items.end(),
                                 [id](const DialogItemTemplate& i) { return i.id == id; });
        ASSERT_NE(item, dialog.items.end());
        EXPECT_TRUE(item->style & BS_ICON);
        EXPECT_EQ(item->caption, "");
    }
}

TEST_F(SettingsDialog, CreatedDialogHoldsEveryControl)
{
    WindowHandle window = CreateHiddenDialog(IDD_SETTINGS);
    ASSERT_TRUE(window);
    EXPECT_FALSE(IsWindowVisible(window.get()));
    char text[128] = {};
    GetWindowTextA(window.get(), text, sizeof(text));
    EXPECT_STREQ(text, "クウィブラの設定");

    HWND child = GetWindow(window.get(), GW_CHILD);
    for (const ControlRow& row : SettingsControls) {
        SCOPED_TRACE(testing::Message() << "id " << row.id);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), row.id);
        char className[64] = {};
        GetClassNameA(child, className, sizeof(className));
        EXPECT_STRCASEEQ(className, row.className);
        LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        EXPECT_EQ((style & WS_VISIBLE) == 0, row.hidden);
        EXPECT_EQ(IsWindowEnabled(child) == FALSE, (row.style & WS_DISABLED) != 0);
        GetWindowTextA(child, text, sizeof(text));
        EXPECT_STREQ(text, row.caption);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);
}

TEST_F(SettingsDialog, ControlsSitWhereTheTemplatePutsThem)
{
    WindowHandle window = CreateHiddenDialog(IDD_SETTINGS);
    ASSERT_TRUE(window);
    for (const ControlRow& row : SettingsControls) {
        if (row.id == -1) {
            continue;
        }
        SCOPED_TRACE(testing::Message() << "id " << row.id);
        HWND control = GetDlgItem(window.get(), row.id);
        ASSERT_NE(control, nullptr);
        // Position and size are converted to pixels each on its own.
        RECT expected{row.rect.left, row.rect.top, row.rect.right - row.rect.left,
                      row.rect.bottom - row.rect.top};
        MapDialogRect(window.get(), &expected);
        expected.right += expected.left;
        expected.bottom += expected.top;
        RECT actual{};
        GetWindowRect(control, &actual);
        MapWindowPoints(HWND_DESKTOP, window.get(), reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right, expected.right);
        // A closed combo box is as high as its edit field, not its list.
        if (std::string(row.className) != "COMBOBOX") {
            EXPECT_EQ(actual.bottom, expected.bottom);
        }
    }
}

TEST_F(SettingsDialog, UsesTheNinePointJapaneseFont)
{
    WindowHandle window = CreateHiddenDialog(IDD_SETTINGS);
    ASSERT_TRUE(window);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window.get(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA logFont{};
    ASSERT_GT(GetObjectA(font, sizeof(logFont), &logFont), 0);
    EXPECT_STREQ(logFont.lfFaceName, "ＭＳ Ｐゴシック");
    HDC screen = GetDC(nullptr);
    int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(logFont.lfHeight, -MulDiv(9, pixelsPerInch, 72));
}

TEST(DialogTemplateReader, RejectsTemplatesCutShort)
{
    HRSRC found = FindResourceA(ResourceInstance(), MAKEINTRESOURCEA(IDD_SETTINGS), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(ResourceInstance(), found)));
    size_t size = SizeofResource(ResourceInstance(), found);
    ASSERT_TRUE(ParseDialogTemplate(data, size).has_value());
    for (size_t cut : {size_t{0}, size_t{1}, size_t{3}, size_t{26}, size / 2, size - 3}) {
        EXPECT_FALSE(ParseDialogTemplate(data, cut).has_value()) << "cut at " << cut;
    }
    BYTE notExtended[] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_FALSE(ParseDialogTemplate(notExtended, sizeof(notExtended)).has_value());
}
