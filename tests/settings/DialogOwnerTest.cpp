#include <gtest/gtest.h>

#include <filesystem>

#include "AppFixture.h"
#include "Clipboard.h"
#include "DialogSteps.h"
#include "Files.h"
#include "ResourceText.h"
#include "resource.h"

// The open dialog's edits are the user's until Update or OK saves them, whatever else happens meanwhile.
TEST(AppSettingsOwner, UpdateAndOkSaveWhatTheOpenDialogHolds) {
    TempFolder folder;
    AppWithWindow app("alpha\nbeta");
    RunDialog([&] { app.Command(IDM_SETTINGS); },
              {TypeInto(IDC_LINE_EDIT, "gamma"), ClickOn(IDC_ADD_BUTTON), ClickOn(IDC_UPDATE_BUTTON),
               Expect([&](HWND dialog) {
                   EXPECT_EQ(SettingsText("alpha\nbeta\ngamma"), ReadBytes(PhraseApp::settingsPath));
                   EXPECT_EQ("alpha\nbeta\ngamma\n---\n", MenuTexts(app->menus.phrases()));
                   EXPECT_EQ(LoadResourceText(nullptr, IDS_STATUS_SAVED),
                             ControlText(dialog, IDC_STATUS_TEXT));
               }),
               SelectAt(IDC_ITEM_LIST, 0), ClickOn(IDC_DELETE_BUTTON), Expect([&](HWND dialog) {
                   EXPECT_TRUE(GetMenuState(app->MainMenu(), IDM_EXIT, MF_BYCOMMAND) & MF_GRAYED);
                   SetClipboardText("delta");
                   SendMessageA(app.window(), WM_COMMAND, IDM_ADD_CLIPBOARD, 0);
                   SetForegroundWindow(app.window());
                   SendMessageA(app.window(), WM_COMMAND, IDM_SETTINGS, 0);
                   EXPECT_EQ(dialog, GetForegroundWindow());
                   SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
               }),
               ClickOn(IDOK)});
    EXPECT_EQ(SettingsText("beta\ngamma\ndelta"), ReadBytes(PhraseApp::settingsPath));
    EXPECT_EQ(std::string(12, '\0'), ReadBytes(PhraseApp::hotkeyPath));
    EXPECT_EQ("beta\ngamma\ndelta\n---\n", MenuTexts(app->menus.phrases()));
    EXPECT_FALSE(GetMenuState(app->MainMenu(), IDM_EXIT, MF_BYCOMMAND) & MF_GRAYED);
}

// Cancel asks before it discards changes to the list; neither it nor a failed OK leaves anything changed.
TEST(AppSettingsOwner, CancelAndAnOkThatCannotSaveChangeNothing) {
    TempFolder folder;
    AppWithWindow app("alpha");
    for (const char* text : {"h1", "h2"}) app->history.Add(text);
    const std::string hotkeys = ReadBytes(PhraseApp::hotkeyPath);
    RunDialog(
        [&] { app.Command(IDM_SETTINGS); },
        {Expect([](HWND dialog) { CheckDlgButton(dialog, IDC_TILDE_CHECK, BST_CHECKED); }),
         ClickOn(IDC_TILDE_CHECK), TypeInto(IDC_HISTORY_LIMIT_EDIT, "5"),
         Expect([](HWND) { EXPECT_FALSE(RegisterHotKey(nullptr, 1, MOD_SHIFT, '0')); }), ClickOn(IDCANCEL)});
    EXPECT_TRUE(RegisterHotKey(nullptr, 1, MOD_SHIFT, '0'));
    UnregisterHotKey(nullptr, 1);
    std::filesystem::create_directory("hkey.dat.tmp");
    RunDialog([&] { app.Command(IDM_SETTINGS); },
              {TypeInto(IDC_LINE_EDIT, "beta"), ClickOn(IDC_ADD_BUTTON),
               TypeInto(IDC_HISTORY_LIMIT_EDIT, "1"), ClickOn(IDOK), Expect([&](HWND dialog) {
                   EXPECT_PRED_FORMAT2(testing::IsSubstring, "保存できませんでした",
                                       ControlText(dialog, IDC_STATUS_TEXT));
                   EXPECT_EQ("alpha\n---\n", MenuTexts(app->menus.phrases()));
                   EXPECT_EQ("h1\nh2\n", MenuTexts(app->menus.history()));
               }),
               ClickOn(IDCANCEL), ClickOn(IDNO), Expect([](HWND dialog) {
                   EXPECT_EQ(2, SendDlgItemMessageA(dialog, IDC_ITEM_LIST, LB_GETCOUNT, 0, 0));
               }),
               ClickOn(IDCANCEL), ClickOn(IDYES)});
    EXPECT_EQ(SettingsText("alpha"), ReadBytes(PhraseApp::settingsPath));
    EXPECT_EQ(hotkeys, ReadBytes(PhraseApp::hotkeyPath));
    EXPECT_EQ("alpha\n---\n", MenuTexts(app->menus.phrases()));
    EXPECT_EQ(20, app->options.historyLimit);
    std::filesystem::remove("hkey.dat.tmp");
    SetClipboardText("gamma");
    app.Command(IDM_ADD_CLIPBOARD);
    EXPECT_EQ(SettingsText("alpha\ngamma"), ReadBytes(PhraseApp::settingsPath));
}

// Options take effect on Update and OK: saved, the history trimmed, Shift+0 held or let go, the release wait.
TEST(AppSettingsOwner, OptionsTakeEffectOnUpdateAndOk) {
    TempFolder folder;
    AppWithWindow app("alpha");
    for (const char* text : {"h1", "h2", "h3"}) app->history.Add(text);
    auto tick = [](int control, UINT state) {
        return Expect([=](HWND dialog) { CheckDlgButton(dialog, control, state); });
    };
    RunDialog(
        [&] { app.Command(IDM_SETTINGS); },
        {tick(IDC_TILDE_CHECK, BST_CHECKED), ClickOn(IDC_TILDE_CHECK),
         tick(IDC_WAIT_RELEASE_CHECK, BST_UNCHECKED), TypeInto(IDC_HISTORY_LIMIT_EDIT, "2"),
         ClickOn(IDC_UPDATE_BUTTON), Expect([&](HWND) {
             EXPECT_EQ(SettingsText("alpha", "1\t2\t-1\t0"), ReadBytes(PhraseApp::settingsPath));
             EXPECT_EQ("h2\nh3\n", MenuTexts(app->menus.history()));
             EXPECT_FALSE(RegisterHotKey(nullptr, 1, MOD_SHIFT, '0'));
             EXPECT_EQ(0, app->options.waitForKeyRelease);
         }),
         tick(IDC_TILDE_CHECK, BST_UNCHECKED), ClickOn(IDC_TILDE_CHECK),
         tick(IDC_WAIT_RELEASE_CHECK, BST_CHECKED), TypeInto(IDC_HISTORY_LIMIT_EDIT, "1"), ClickOn(IDOK)});
    EXPECT_EQ(SettingsText("alpha", "0\t1\t-1\t1"), ReadBytes(PhraseApp::settingsPath));
    EXPECT_EQ("h3\n", MenuTexts(app->menus.history()));
    EXPECT_TRUE(RegisterHotKey(nullptr, 1, MOD_SHIFT, '0'));
    UnregisterHotKey(nullptr, 1);
    EXPECT_EQ(1, app->options.waitForKeyRelease);
}
