// Shows the dialogs on the test display and saves what the screen shows,
// for people to look at (build/win32/screenshots). The checks only make sure
// that something was painted.
#include "ScreenCapture.h"
#include "TestResources.h"
#include "data/DefaultPhraseList.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <vector>

namespace {

void SaveAndCheck(const Picture& picture, const std::string& path)
{
    ASSERT_GT(picture.width, 100);
    ASSERT_GT(picture.height, 50);
    // Text, frames and icons give many colours; a failed capture gives one.
    EXPECT_GT(CountDistinctColours(picture), 8);
    EXPECT_TRUE(WriteBitmapFile(picture, path)) << path;
}

// Puts the settings dialog in the state it shows once it has opened.
std::vector<IconHandle> FillSettingsDialog(HWND dialog)
{
    std::vector<IconHandle> icons;
    const struct { int button, icon, size; } pictures[] = {
        {IDC_MOVE_UP_BUTTON, IDI_UP_ARROW, 32},
        {IDC_MOVE_DOWN_BUTTON, IDI_DOWN_ARROW, 32},
        {IDC_INSERT_FILE_BUTTON, IDI_FILE_OPEN, 16},
    };
    for (const auto& p : pictures) {
        icons.push_back(LoadIconResource(p.icon, p.size));
        SendDlgItemMessageA(dialog, p.button, BM_SETIMAGE, IMAGE_ICON,
                            reinterpret_cast<LPARAM>(icons.back().get()));
    }
    for (const char* mode : {"単一行で追加", "表示と内容別", "複数行で追加"}) {
        SendDlgItemMessageA(dialog, IDC_INPUT_MODE_COMBO, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(mode));
    }
    SendDlgItemMessageA(dialog, IDC_INPUT_MODE_COMBO, CB_SETCURSEL, 0, 0);
    for (const char* kind : {"入力する文字", "実行する文字", "項目を区切る", "項目を改行", "新メニュー"}) {
        SendDlgItemMessageA(dialog, IDC_ITEM_KIND_COMBO, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(kind));
    }
    SendDlgItemMessageA(dialog, IDC_ITEM_KIND_COMBO, CB_SETCURSEL, 0, 0);
    std::istringstream lines(DefaultPhraseList());
    std::string line;
    for (int i = 0; std::getline(lines, line); ++i) {
        if (i >= 3) {  // after the settings header lines
            SendDlgItemMessageA(dialog, IDC_ITEM_LIST, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(line.c_str()));
        }
    }
    SetDlgItemTextA(dialog, IDC_STATUS_TEXT, LoadResourceString(IDS_HELP_LINE, 127).c_str());
    SetDlgItemTextA(dialog, IDC_HISTORY_LIMIT_EDIT, "20");
    SendDlgItemMessageA(dialog, IDC_PHRASE_MENU_HOTKEY, HKM_SETHOTKEY,
                        MAKEWORD('A', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    return icons;
}

}  // namespace

TEST(Screenshot, SettingsDialog)
{
    ASSERT_TRUE(InitDialogControls());
    WindowHandle dialog = CreateHiddenDialog(IDD_SETTINGS);
    ASSERT_TRUE(dialog);
    std::vector<IconHandle> icons = FillSettingsDialog(dialog.get());
    ShowForCapture(dialog.get());
    SaveAndCheck(CaptureClientArea(dialog.get()), "dialog103.bmp");

    // The separate input mode shows the fields hidden so far.
    for (int id : {IDC_DISPLAY_LABEL, IDC_DISPLAY_EDIT, IDC_ITEM_KIND_COMBO, IDC_CONTENT_EDIT}) {
        ShowWindow(GetDlgItem(dialog.get(), id), SW_SHOW);
    }
    for (int id : {IDC_ADD_BUTTON, IDC_DELETE_BUTTON, IDC_CHANGE_BUTTON, IDC_MOVE_UP_BUTTON,
                   IDC_MOVE_DOWN_BUTTON, IDC_ITEM_HOTKEY}) {
        EnableWindow(GetDlgItem(dialog.get(), id), TRUE);
    }
    SendDlgItemMessageA(dialog.get(), IDC_INPUT_MODE_COMBO, CB_SETCURSEL, 1, 0);
    SetDlgItemTextA(dialog.get(), IDC_DISPLAY_EDIT, " メモ帳");
    SetDlgItemTextA(dialog.get(), IDC_CONTENT_EDIT, "C:\\Windows\\notepad.exe");
    SendDlgItemMessageA(dialog.get(), IDC_ITEM_KIND_COMBO, CB_SETCURSEL, 1, 0);
    ShowForCapture(dialog.get());
    SaveAndCheck(CaptureClientArea(dialog.get()), "dialog103-separate.bmp");
}

TEST(Screenshot, AboutDialog)
{
    WindowHandle dialog = CreateHiddenDialog(IDD_ABOUT);
    ASSERT_TRUE(dialog);
    ShowForCapture(dialog.get());
    SaveAndCheck(CaptureClientArea(dialog.get()), "dialog104.bmp");
}

TEST(Screenshot, IconSheet)
{
    const int ids[] = {IDI_KWIBRA, IDI_KWIBRA_BUSY, IDI_UP_ARROW, IDI_DOWN_ARROW,
                       IDI_FILE_OPEN, IDI_LABEL, IDI_HISTORY};
    const int cell = 48;
    Picture sheet = PaintPicture(cell * static_cast<int>(std::size(ids)), cell * 2,
                                 RGB(212, 208, 200), [&](HDC dc) {
        for (size_t i = 0; i < std::size(ids); ++i) {
            int x = static_cast<int>(i) * cell;
            for (int size : {16, 32}) {
                IconHandle icon = LoadIconResource(ids[i], size);
                int y = size == 16 ? 0 : cell;
                int offset = (cell - size) / 2;
                DrawIconEx(dc, x + offset, y + offset, icon.get(), size, size, 0, nullptr,
                           DI_NORMAL);
            }
        }
    });
    SaveAndCheck(sheet, "icons.bmp");
}
