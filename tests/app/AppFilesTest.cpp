#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "AppFixture.h"
#include "Clipboard.h"
#include "Files.h"
#include "WindowRegistry.h"
#include "data/HistoryFile.h"
#include "resource.h"
#include "settings/HotkeyConversion.h"

namespace {

namespace fs = std::filesystem;
using testing::IsSubstring;

std::string Balloon(AppWithWindow& app) { return app->tray.data().szInfo; }

// A file of ours that cannot be read at start-up is told, unused and never saved over; one cut short is used.
TEST(AppFiles, WhatCannotBeReadIsToldAndNeverOverwrittenWhatIsCutShortIsUsed) {
    const std::string foreign("\x01\0\0\0\xff\x90", 6);  // clip.dat: version 1, no entries, then more bytes
    const SaveOutcome refused = SaveOutcome::Refused, saved = SaveOutcome::Saved;
    const struct {
        const char* path;
        std::string bytes;  // "": one byte too large to read
        const char* told;
        SaveOutcome save;
        std::size_t hotkeys = 1;
        const char* history = "";
        bool lock = false;
    } rows[] = {
        {PhraseApp::settingsPath, SettingsText("mine"), "ほかのプログラムが使用中か", refused, 1, "", true},
        {PhraseApp::settingsPath, foreign, "壊れています", refused},
        {PhraseApp::settingsPath, "", "大きすぎます", refused},
        {PhraseApp::hotkeyPath, foreign, "壊れています", refused, 0},
        {PhraseApp::historyPath, foreign, "壊れています", refused},
        {PhraseApp::historyPath, EncodeHistory({"abc", "de"}).substr(0, 11), "途中まで", saved, 1, "abc\n"},
        {"kwibra.ini.new", "copy", "kwibra.ini.kept", saved},
        {"clipw.dat", "", "clipw.dat」を読み込めませんでした（ファイルが大きすぎます", refused},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        TempFolder folder;
        WriteBytes(PhraseApp::settingsPath, SettingsText("mine"));
        WriteBytes(PhraseApp::hotkeyPath, std::string(6, '\0') + "1\3");
        WriteBytes(row.path, row.bytes);
        if (row.bytes.empty()) fs::resize_file(row.path, FileSizeLimit + 1);
        const fs::file_time_type before = fs::last_write_time(row.path);  // any write changes it
        HeldFile lock = row.lock ? Hold(row.path, 0) : nullptr;
        AppWithWindow app(
            nullptr,
            {Expect([&](HWND box) { EXPECT_PRED_FORMAT2(IsSubstring, row.told, ControlText(box, 0xFFFF)); }),
             ClickOn(IDOK)});
        lock.reset();
        const bool history = std::string(row.path).rfind("clip", 0) == 0;
        EXPECT_EQ(row.hotkeys, app->hotkeys.size());
        EXPECT_EQ(row.history, MenuTexts(app->menus.history()));
        EXPECT_EQ(row.save, history ? app->SaveHistory() : app->SaveSettings());
        if (row.save == SaveOutcome::Refused) {
            EXPECT_EQ(before, fs::last_write_time(row.path));
            SetClipboardText("added");
            app.Command(IDM_ADD_CLIPBOARD);  // the file that is kept is named
            const std::string named =
                "「" + std::string(history ? PhraseApp::settingsPath : row.path) + "」を保存";
            EXPECT_EQ(history, Balloon(app).find(named) == std::string::npos) << Balloon(app);
        }
    }
}

// A history unreadable at start-up is merged with this session's once it can be read: its entries first.
TEST(AppFiles, AHistoryHeldAtStartIsMergedOnceItCanBeRead) {
    TempFolder folder;
    WriteBytes(PhraseApp::historyPath, EncodeHistory({"old", "both"}));
    HeldFile lock = Hold(PhraseApp::historyPath, 0);
    AppWithWindow app("mine", {ClickOn(IDOK)});
    for (const char* text : {"both", "new"}) app->history.Add(text);
    SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
    app.Pump();
    EXPECT_EQ("both\nnew\n", MenuTexts(app->menus.history())) << "nothing is read or written while held";
    lock.reset();
    DestroyWindow(app.window());
    EXPECT_EQ(EncodeHistory({"old", "both", "new"}), ReadBytes(PhraseApp::historyPath));
}

// A rebuild keeps the menus when it cannot read the list, and waits for one held or moved away for a moment.
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
        EXPECT_PRED_FORMAT2(IsSubstring, replaced ? "見つかりません" : "今のまま", Balloon(app));

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

// The files stay in the start's folder; files others hold open are written in place, or the user is told.
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
    EXPECT_PRED_FORMAT2(IsSubstring, "書き込みが許可されていないか", Balloon(app));
    const HeldFile history = Hold(PhraseApp::historyPath, FILE_SHARE_READ | FILE_SHARE_WRITE);
    DestroyWindow(app.window());
    EXPECT_EQ(EncodeHistory({"added", "lost"}), ReadBytes(PhraseApp::historyPath));
    EXPECT_FALSE(fs::exists("clip.dat.new") || fs::exists("kwibra.ini.new") || fs::exists("kwibra.ini.old"));
}

// A system change while start-up tells something rebuilds once it has been told.
TEST(AppFiles, NothingIsRebuiltUnderAMessageBeingTold) {
    TempFolder folder;
    WriteBytes("kwibra.ini.new", "copy");
    PhraseApp* app = nullptr;  // the box's owner: the test has no object for it until start-up ends
    AppWithWindow started(
        "mine",
        {Expect([&](HWND box) {
             app = dynamic_cast<PhraseApp*>(FindWindowObject(GetWindow(box, GW_OWNER)));
             WriteBytes(PhraseApp::settingsPath, SettingsText("changed"));
             SendMessageA(app->hwnd(), WM_SETTINGCHANGE, 0, 0);
         }),
         Expect([&](HWND) { EXPECT_EQ("mine\n---\n", MenuTexts(app->menus.phrases())); }), ClickOn(IDOK)});
    started.Pump();
    EXPECT_EQ("changed\n---\n", MenuTexts(started->menus.phrases()));
}

// Keys another program holds and keys two entries share are told as such; a rebuild tells only what is new.
TEST(AppHotkeys, RefusedKeysAreToldByNamePurposeAndWhoHoldsThem) {
    TempFolder folder;
    const HWND other = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT, 'A'));
    WriteBytes(PhraseApp::hotkeyPath, std::string("\0\0\0\0A\3B\3B\3", 10));
    WriteBytes(PhraseApp::settingsPath, SettingsText("one\ntwo\nthree", "1\t20\t-1\t1"));
    AppWithWindow app(nullptr);
    EXPECT_PRED_FORMAT2(IsSubstring, HotkeyName('A', MOD_CONTROL | MOD_ALT) + "（よく使う文字）",
                        Balloon(app));
    EXPECT_PRED_FORMAT2(IsSubstring, "（two）は「one」と同じキーです", Balloon(app));
    ASSERT_TRUE(RegisterHotKey(other, 2, MOD_CONTROL | MOD_ALT, 'C'));
    WriteBytes(PhraseApp::hotkeyPath, std::string("\0\0\0\0C\3B\3B\0030\4", 12));
    SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
    app.Pump();
    EXPECT_PRED_FORMAT2(IsSubstring, HotkeyName('C', MOD_CONTROL | MOD_ALT), Balloon(app));
    EXPECT_PRED_FORMAT2(IsSubstring, "（three）は「[ 0 ]の上の[ ~ ]」と同じキーです", Balloon(app));
    EXPECT_PRED_FORMAT2(testing::IsNotSubstring, "（two）", Balloon(app));
    DestroyWindow(other);
}

// The records and entries of an open menu stay: a rebuild and a copy made meanwhile wait until it closes.
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
