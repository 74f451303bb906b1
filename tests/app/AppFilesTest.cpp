#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "AppFixture.h"
#include "Clipboard.h"
#include "Files.h"
#include "WindowRegistry.h"
#include "resource.h"
#include "settings/HotkeyConversion.h"

namespace {

namespace fs = std::filesystem;

std::string Balloon(AppWithWindow& app) { return app->tray.data().szInfo; }

// What the user finds in a file: its bytes, or, too large to read in a test, its time.
std::string Kept(const char* path) {
    return fs::file_size(path) < 1000000
               ? ReadBytes(path)
               : std::to_string(fs::last_write_time(path).time_since_epoch().count());
}

std::string History(const std::vector<std::string>& texts) {
    std::string bytes{'\1', '\0', static_cast<char>(texts.size()), '\0'};
    for (const std::string& text : texts) bytes += std::string{static_cast<char>(text.size()), '\0'} + text;
    return bytes;
}

// A file of ours that cannot be read at start-up is told in a message box, nothing of it
// used (the hotkeys of an unreadable list are not given to the default list) and it is never
// saved over. Files that are only cut short, or empty, give what they hold.
TEST(AppFiles, WhatCannotBeReadIsToldAndNeverOverwrittenWhatIsCutShortIsUsed) {
    const std::string foreign("\x01\0\0\0\xff\x90", 6);  // clip.dat: version 1, no entries, then more bytes
    const struct {
        const char* path;
        std::string bytes;
        bool lock;
        const char* told;  // null: nothing
        std::size_t hotkeys;
        const char* history;
        SaveOutcome save;
    } rows[] = {
        {PhraseApp::settingsPath, SettingsText("mine"), true, "ほかのプログラムが使用中か", 1, "",
         SaveOutcome::Refused},
        {PhraseApp::settingsPath, foreign, false, "壊れています", 1, "", SaveOutcome::Refused},
        {PhraseApp::settingsPath, "", false, "大きすぎます", 1, "", SaveOutcome::Refused},
        {PhraseApp::hotkeyPath, foreign, false, "壊れています", 0, "", SaveOutcome::Refused},
        {PhraseApp::hotkeyPath, std::string(6, '\0') + "1\3A", false, nullptr, 1, "", SaveOutcome::Saved},
        {PhraseApp::historyPath, foreign, false, "壊れています", 1, "", SaveOutcome::Refused},
        {PhraseApp::historyPath, "", false, nullptr, 1, "", SaveOutcome::Saved},
        {PhraseApp::historyPath, History({"abc", "de"}).substr(0, 11), false, "途中まで", 1, "abc\n",
         SaveOutcome::Saved},
        {"kwibra.ini.new", "copy", false, "kwibra.ini.kept", 1, "", SaveOutcome::Saved},
        {"clipw.dat", "", false, "clipw.dat」を読み込めませんでした（ファイルが大きすぎます", 1, "",
         SaveOutcome::Refused},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        TempFolder folder;
        WriteBytes(PhraseApp::settingsPath, SettingsText("mine"));
        WriteBytes(PhraseApp::hotkeyPath, std::string(6, '\0') + "1\3");
        WriteBytes(row.path, row.bytes);
        if (row.bytes.empty() && std::string(row.path) != PhraseApp::historyPath)
            fs::resize_file(row.path, FileSizeLimit + 1);
        const std::string before = Kept(row.path);
        HeldFile lock = row.lock ? Hold(row.path, 0) : nullptr;
        std::vector<Step> told;
        if (row.told)
            told = {Expect([&](HWND box) {
                        EXPECT_NE(std::string::npos, ControlText(box, 0xFFFF).find(row.told));
                    }),
                    ClickOn(IDOK)};
        AppWithWindow app(nullptr, told);
        lock.reset();
        const bool history = std::string(row.path).rfind("clip", 0) == 0;
        EXPECT_EQ(row.hotkeys, app->hotkeys.size());
        EXPECT_EQ(row.history, MenuTexts(app->menus.history()));
        EXPECT_EQ(row.save, history ? app->SaveHistory() : app->SaveSettings());
        if (row.save == SaveOutcome::Refused) {
            EXPECT_EQ(before, Kept(row.path));
            SetClipboardText("added");
            app.Command(IDM_ADD_CLIPBOARD);  // the file that is kept is named
            const std::string named =
                "「" + std::string(history ? PhraseApp::settingsPath : row.path) + "」を保存";
            EXPECT_EQ(history, Balloon(app).find(named) == std::string::npos) << Balloon(app);
        }
    }
}

// A history that could not be read at start-up is merged with this session's once it can:
// its entries first, then the session's, each text once.
TEST(AppFiles, AHistoryHeldAtStartIsMergedOnceItCanBeRead) {
    TempFolder folder;
    WriteBytes(PhraseApp::historyPath, History({"old", "both"}));
    HeldFile lock = Hold(PhraseApp::historyPath, 0);
    AppWithWindow app("mine", {ClickOn(IDOK)});
    app->history.Add("both");
    app->history.Add("new");
    SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
    app.Pump();
    EXPECT_EQ("both\nnew\n", MenuTexts(app->menus.history()))
        << "nothing is read or written while it is held";
    lock.reset();
    DestroyWindow(app.window());
    EXPECT_EQ(History({"old", "both", "new"}), ReadBytes(PhraseApp::historyPath));
}

// A rebuild that cannot read the list, or finds it gone, keeps the menus; a file held or
// replaced for a moment is waited for. Asked for by a sent message, it runs after the sender
// has its answer.
TEST(AppFiles, ARebuildKeepsTheMenusUnlessItCanReadTheList) {
    for (const bool replaced : {false, true}) {
        TempFolder folder;
        AppWithWindow app("mine");
        const auto hide = [&] {
            if (replaced) return fs::rename(PhraseApp::settingsPath, "elsewhere"), HeldFile();
            return Hold(PhraseApp::settingsPath, 0);
        };
        const auto back = [&] {
            if (replaced) fs::rename("elsewhere", PhraseApp::settingsPath);
        };
        {
            const HeldFile held = hide();
            SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
            app.Pump();
            back();
        }
        EXPECT_EQ("mine\n---\n", MenuTexts(app->menus.phrases()));
        EXPECT_NE(std::string::npos, Balloon(app).find(replaced ? "見つかりません" : "今のまま"))
            << Balloon(app);

        WriteBytes(PhraseApp::settingsPath, SettingsText("changed"));
        HeldFile held = hide();
        std::thread release([&] {
            Sleep(300);
            held.reset();
            back();
        });
        SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
        EXPECT_EQ("mine\n---\n", MenuTexts(app->menus.phrases()));
        app.Pump();
        release.join();
        EXPECT_EQ("changed\n---\n", MenuTexts(app->menus.phrases()));
    }
}

// The files stay in the folder of the start, whatever folder is current later; files that
// other programs hold open are written in place, or the user learns why not.
TEST(AppFiles, SavesReachTheFilesWhereverTheyAreHeld) {
    TempFolder folder;
    AppWithWindow app("mine");
    const fs::path home = fs::current_path();
    fs::create_directory("browsed");
    {
        const HeldFile settings = Hold(PhraseApp::settingsPath, FILE_SHARE_READ | FILE_SHARE_WRITE);
        const HeldFile hotkeys = Hold(PhraseApp::hotkeyPath, FILE_SHARE_READ | FILE_SHARE_WRITE);
        fs::current_path("browsed");
        SetClipboardText("added");
        app.Command(IDM_ADD_CLIPBOARD);
        fs::current_path(home);
    }
    EXPECT_EQ(SettingsText("mine\nadded"), ReadBytes(PhraseApp::settingsPath));
    EXPECT_TRUE(fs::is_empty("browsed"));
    fs::create_directory("kwibra.ini.tmp");
    SetClipboardText("lost");
    app.Command(IDM_ADD_CLIPBOARD);
    EXPECT_NE(std::string::npos, Balloon(app).find("書き込みが許可されていないか")) << Balloon(app);
    const HeldFile history = Hold(PhraseApp::historyPath, FILE_SHARE_READ | FILE_SHARE_WRITE);
    DestroyWindow(app.window());
    EXPECT_EQ(History({"added", "lost"}), ReadBytes(PhraseApp::historyPath));
    EXPECT_FALSE(fs::exists("clip.dat.new") || fs::exists("kwibra.ini.new") || fs::exists("kwibra.ini.old"));
}

// A system change while start-up tells something rebuilds once it has been told.
TEST(AppFiles, NothingIsRebuiltUnderAMessageBeingTold) {
    TempFolder folder;
    WriteBytes("kwibra.ini.new", "copy");
    const auto app = [](HWND box) {
        return dynamic_cast<PhraseApp*>(FindWindowObject(GetWindow(box, GW_OWNER)));
    };
    AppWithWindow started(
        "mine", {Expect([&](HWND box) {
                     WriteBytes(PhraseApp::settingsPath, SettingsText("changed"));
                     SendMessageA(GetWindow(box, GW_OWNER), WM_SETTINGCHANGE, 0, 0);
                 }),
                 Expect([&](HWND box) { EXPECT_EQ("mine\n---\n", MenuTexts(app(box)->menus.phrases())); }),
                 ClickOn(IDOK)});
    started.Pump();
    EXPECT_EQ("changed\n---\n", MenuTexts(started->menus.phrases()));
}

// Keys held by another program, and keys two of our own entries share (the first in the list
// keeps it), each told as such; a rebuild tells what is refused anew, and only that.
TEST(AppHotkeys, RefusedKeysAreToldByNamePurposeAndWhoHoldsThem) {
    TempFolder folder;
    const HWND other = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT, 'A'));
    WriteBytes(PhraseApp::hotkeyPath, std::string("\0\0\0\0A\3B\3B\3", 10));
    WriteBytes(PhraseApp::settingsPath, SettingsText("one\ntwo\nthree", "1\t20\t-1\t1"));
    AppWithWindow app(nullptr);
    EXPECT_NE(std::string::npos,
              Balloon(app).find(HotkeyName('A', MOD_CONTROL | MOD_ALT) + "（よく使う文字）"));
    EXPECT_NE(std::string::npos, Balloon(app).find("（two）は「one」と同じキーです")) << Balloon(app);
    ASSERT_TRUE(RegisterHotKey(other, 2, MOD_CONTROL | MOD_ALT, 'C'));
    WriteBytes(PhraseApp::hotkeyPath, std::string("\0\0\0\0C\3B\3B\0030\4", 12));
    SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
    app.Pump();
    EXPECT_NE(std::string::npos, Balloon(app).find(HotkeyName('C', MOD_CONTROL | MOD_ALT)));
    EXPECT_NE(std::string::npos, Balloon(app).find("（three）は「[ 0 ]の上の[ ~ ]」と同じキーです"))
        << Balloon(app);
    EXPECT_EQ(std::string::npos, Balloon(app).find("（two）")) << Balloon(app);
    DestroyWindow(other);
}

// The records of an open menu stay, and so do the entries of an open history menu: a rebuild
// and a copy made meanwhile wait until it has closed.
TEST(AppMenus, MenusHoldStillWhileOpen) {
    TempFolder folder;
    AppWithWindow app("old");
    SendMessageA(app.window(), WM_ENTERMENULOOP, TRUE, 0);
    WriteBytes(PhraseApp::settingsPath, SettingsText("new"));
    SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
    SetClipboardText("copied");
    app.Pump();
    EXPECT_EQ("old\n---\n", MenuTexts(app->menus.phrases()));
    EXPECT_EQ("", MenuTexts(app->menus.history()));
    SendMessageA(app.window(), WM_EXITMENULOOP, TRUE, 0);
    app.Pump();
    EXPECT_EQ("new\n---\n", MenuTexts(app->menus.phrases()));
    EXPECT_EQ("copied\n", MenuTexts(app->menus.history()));
}

}  // namespace
