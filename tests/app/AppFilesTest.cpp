#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "AppFixture.h"
#include "Clipboard.h"
#include "Files.h"
#include "resource.h"
#include "settings/HotkeyConversion.h"

namespace {

std::string Balloon(AppWithWindow& app) { return app->tray.data().szInfo; }

// What the user finds in a file: its bytes, or, too large to read in a test, its time.
std::string Kept(const char* path) {
    namespace fs = std::filesystem;
    return fs::file_size(path) < 1000000
               ? ReadBytes(path)
               : std::to_string(fs::last_write_time(path).time_since_epoch().count());
}

// Start-up with a file of ours that cannot be read: told in a message box,
// nothing of that file used (the hotkeys of an unreadable list are not given
// to the default list), and the file never saved over.
TEST(AppFiles, UnreadableFilesAreToldAndNeverOverwritten) {
    const std::string binary("\x01\0\0\0\xff\x90", 6);  // clip.dat: version 1, no entries, then garbage
    const struct {
        const char* path;
        std::string bytes;
        bool lock;
        const char* told;
        std::size_t hotkeys;
    } rows[] = {
        {PhraseApp::settingsPath, SettingsText("mine"), true, "ほかのプログラムが使用中か", 1},
        {PhraseApp::settingsPath, binary, false, "壊れています", 1},
        {PhraseApp::settingsPath, "", false, "大きすぎます", 1},
        {PhraseApp::hotkeyPath, binary, false, "壊れています", 0},
        {PhraseApp::historyPath, binary, false, "壊れています", 1},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        WriteBytes(PhraseApp::settingsPath, SettingsText("mine"));
        WriteBytes(PhraseApp::hotkeyPath, std::string(6, '\0') + "1\3");
        WriteBytes(row.path, row.bytes);
        if (row.bytes.empty()) std::filesystem::resize_file(row.path, FileSizeLimit + 1);
        const std::string before = Kept(row.path);
        HeldFile lock = row.lock ? Hold(row.path, 0) : nullptr;
        AppWithWindow app(nullptr, {Expect([&](HWND box) {
                                        const std::string text = ControlText(box, 0xFFFF);
                                        EXPECT_NE(std::string::npos, text.find(row.path)) << text;
                                        EXPECT_NE(std::string::npos, text.find(row.told)) << text;
                                    }),
                                    ClickOn(IDOK)});
        lock.reset();
        const bool history = row.path == PhraseApp::historyPath;
        EXPECT_EQ(SaveOutcome::Refused, history ? app->SaveHistory() : app->SaveSettings());
        EXPECT_EQ(before, Kept(row.path));
        EXPECT_EQ(row.hotkeys, app->hotkeys.size()) << row.path;
    }
}

TEST(AppFiles, ReloadThatCannotReadKeepsMenusAndAFileHeldForAMomentIsWaitedFor) {
    TempFolder folder;
    AppWithWindow app("mine");
    {
        const HeldFile lock = Hold(PhraseApp::settingsPath, 0);
        SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
    }
    EXPECT_EQ("mine\n---\n", MenuTexts(app->PhraseMenu));
    EXPECT_NE(std::string::npos, Balloon(app).find("今のまま")) << Balloon(app);

    WriteBytes(PhraseApp::settingsPath, SettingsText("changed"));
    HeldFile lock = Hold(PhraseApp::settingsPath, 0);
    std::thread release([&] {
        Sleep(300);
        lock.reset();
    });
    SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
    release.join();
    EXPECT_EQ("changed\n---\n", MenuTexts(app->PhraseMenu));
}

TEST(AppFiles, SavesReachFilesOtherProgramsHoldOpenOrTellWhyNot) {
    TempFolder folder;
    AppWithWindow app("mine");
    {
        const HeldFile settings = Hold(PhraseApp::settingsPath, FILE_SHARE_READ | FILE_SHARE_WRITE);
        const HeldFile hotkeys = Hold(PhraseApp::hotkeyPath, FILE_SHARE_READ | FILE_SHARE_WRITE);
        SetClipboardText("added");
        app.Command(IDM_ADD_CLIPBOARD);
    }
    EXPECT_EQ(SettingsText("mine\nadded"), ReadBytes(PhraseApp::settingsPath));
    std::filesystem::create_directory("kwibra.ini.tmp");
    SetClipboardText("lost");
    app.Command(IDM_ADD_CLIPBOARD);
    EXPECT_NE(std::string::npos, Balloon(app).find("書き込みが許可されていないか")) << Balloon(app);
    const HeldFile history = Hold(PhraseApp::historyPath, FILE_SHARE_READ | FILE_SHARE_WRITE);
    DestroyWindow(app.window());
    EXPECT_EQ(std::string("\1\0\2\0\5\0added\4\0lost", 17), ReadBytes(PhraseApp::historyPath));
}

TEST(AppHotkeys, KeysOtherProgramsHoldAreToldByNameAndPurpose) {
    TempFolder folder;
    const HWND other = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT, 'A'));
    WriteBytes(PhraseApp::hotkeyPath, std::string("\0\0\0\0A\3", 6));
    AppWithWindow app;
    const std::string told = Balloon(app);
    EXPECT_NE(std::string::npos, told.find(HotkeyName('A', MOD_CONTROL | MOD_ALT) + "（よく使う文字）"))
        << told;
    DestroyWindow(other);
}

TEST(AppMenus, RebuildWaitsUntilTheOpenMenuHasClosed) {
    TempFolder folder;
    AppWithWindow app("old");
    SendMessageA(app.window(), WM_ENTERMENULOOP, TRUE, 0);
    WriteBytes(PhraseApp::settingsPath, SettingsText("new"));
    SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ("old\n---\n", MenuTexts(app->PhraseMenu));
    SendMessageA(app.window(), WM_EXITMENULOOP, TRUE, 0);
    app.Pump();
    EXPECT_EQ("new\n---\n", MenuTexts(app->PhraseMenu));
}

}  // namespace
