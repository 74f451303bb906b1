#include <gtest/gtest.h>

#include <filesystem>

#include "AppFixture.h"
#include "Clipboard.h"
#include "Files.h"
#include "app/CaptureThrottle.h"
#include "app/CommandLine.h"
#include "app/KeyPresses.h"
#include "data/HistoryFile.h"
#include "resource.h"

namespace {

// What we deliver ourselves and what a password manager marks private stay out of the history and clip.dat.
TEST(AppClipboard, OwnDeliveriesAndPrivateTextStayOutOfTheHistoryOtherTextsComeIn) {
    TempFolder folder;
    AppWithWindow app("hello");
    app.Command(120);
    EXPECT_EQ("hello", ClipboardText());
    EXPECT_FALSE(
        IsClipboardFormatAvailable(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing")))
        << "other clipboard histories see the delivered text";
    SetClipboardText("");
    for (DWORD heldMs : {200, 1000}) {  // waited for; given up on, told
        std::thread holder = HoldClipboardFor(heldMs);
        app.Command(120);
        holder.join();
    }
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "使用中のため、貼り付けられません", app->tray.data().szInfo);
    EXPECT_EQ("hello", ClipboardText()) << "a clipboard held for a moment is waited for";
    SetClipboardText("other");
    const std::pair<const char*, DWORD> marks[] = {{"CanIncludeInClipboardHistory", 1},
                                                   {"ExcludeClipboardContentFromMonitorProcessing", 0},
                                                   {"Clipboard Viewer Ignore", 0},
                                                   {"CanIncludeInClipboardHistory", 0}};
    for (std::size_t i = 0; i < 4; ++i)
        SetClipboardText("private" + std::to_string(i), marks[i].first, marks[i].second);
    app.Pump();
    EXPECT_EQ("other\nprivate0\n", MenuTexts(app->menus.history()));
    app.Command(IDM_ADD_CLIPBOARD);
    EXPECT_EQ(SettingsText("hello\nprivate3"), ReadBytes(PhraseApp::settingsPath));
    SetClipboardText(std::string(2046, 'a') + "表");
    EXPECT_EQ(std::string(2046, 'a'), app->ItemForCommand(35002)->content)
        << "cut at 2,047 bytes, whole characters";
    DestroyWindow(app.window());
    EXPECT_EQ(EncodeHistory({"other", "private0", std::string(2046, 'a')}),
              ReadBytes(PhraseApp::historyPath));
}

// Text that Shift-JIS cannot hold keeps its exact characters in the history, across a restart and back out.
TEST(AppClipboard, TextOutsideShiftJisIsKeptExactly) {
    TempFolder folder;
    const std::wstring copied = L"caf\u00e9 \U0001F600 \U00020BB7\u91ce\u5bb6";
    const std::string japanese("\x11\x04\0\0", 4);
    {
        AppWithWindow app("hello");
        app.Command(120);
        EXPECT_EQ(japanese, ClipboardBytes(CF_LOCALE).substr(0, 4));
        for (int i = 0; i < 2; ++i) SetClipboardUnicode(copied);
        SetClipboardText(ClipboardText());  // the same Shift-JIS form, without the exact text
        SetClipboardUnicode(copied);
        EXPECT_EQ(2, GetMenuItemCount(app->menus.history()));
        app.Command(IDM_ADD_CLIPBOARD);
        EXPECT_EQ(SettingsText("hello"), ReadBytes(PhraseApp::settingsPath));
        EXPECT_PRED_FORMAT2(testing::IsSubstring, "U+00E9 U+1F600 U+20BB7", app->tray.data().szInfo);
    }
    AppWithWindow app(nullptr);
    const PhraseItem* entry = app->ItemForCommand(35001);
    ASSERT_TRUE(entry && entry->exact);
    EXPECT_EQ(std::u16string(copied.begin(), copied.end()), entry->exact->label);
    app.Command(35001);
    const std::string unicode(reinterpret_cast<const char*>(copied.c_str()), (copied.size() + 1) * 2);
    EXPECT_EQ(unicode, ClipboardBytes(CF_UNICODETEXT).substr(0, unicode.size()));
    EXPECT_EQ("caf?", ClipboardText().substr(0, 4));
    EXPECT_EQ(japanese, ClipboardBytes(CF_LOCALE).substr(0, 4));
    EXPECT_EQ(entry->content, ClipboardText());
}

TEST(AppSession, LogoffSavesTheHistoryAndEndsOnlyWhenTheSessionEnds) {
    TempFolder folder;
    AppWithWindow app;
    app->history.Add("kept");
    EXPECT_EQ(TRUE, SendMessageA(app.window(), WM_QUERYENDSESSION, 0, 0));
    const std::string saved = EncodeHistory({"kept"});
    EXPECT_EQ(saved, ReadBytes(PhraseApp::historyPath));
    WriteBytes(PhraseApp::historyPath, "");
    SendMessageA(app.window(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(IsWindow(app.window())) << "the user cancelled the logoff";
    SendMessageA(app.window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(IsWindow(app.window()));
    EXPECT_EQ(saved, ReadBytes(PhraseApp::historyPath))
        << "saved once, not emptied by the destruction after it";
}

// A non-resident start opens its menu before it tells anything, and it never makes the end of a session wait.
TEST(AppStartup, ANonResidentStartTellsNothingBeforeItsDelivery) {
    TempFolder folder;
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'A'));  // as another program holds it
    WriteBytes(PhraseApp::settingsPath, "65\r\n3\r\n0\t20\t2\t1\r\nmine\r\n");
    WriteBytes(PhraseApp::hotkeyPath, "\xff\xff");
    AppWithWindow app(nullptr, {}, "-o");
    MSG menu{};
    EXPECT_TRUE(PeekMessageA(&menu, app.window(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(IDM_SHOW_MENU, menu.wParam);
    EXPECT_EQ(UINT{MF_DISABLED},
              GetMenuState(app->menus.phrases(), IDM_SETTINGS, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED));
    app->history.Add("x");
    std::filesystem::create_directory("clip.dat.tmp");
    RunDialog([&] { SendMessageA(app.window(), WM_QUERYENDSESSION, 0, 0); }, {});
    RunDialog([&] { app.Command(IDM_EXIT); },
              {Expect([](HWND box) {
                   EXPECT_PRED_FORMAT2(testing::IsSubstring, "hkey.dat", ControlText(box, 0xFFFF));
                   EXPECT_PRED_FORMAT2(testing::IsNotSubstring, "ショートカットキーは",
                                       ControlText(box, 0xFFFF));
               }),
               ClickOn(IDOK)});
    UnregisterHotKey(nullptr, 1);
}

// A press is told from a repeat by the key going up, whether the key event or the hotkey is read first.
TEST(AppHotkeys, APressIsToldFromARepeatByTheKeyGoingUp) {
    KeyPresses keys;
    const std::tuple<char, std::uint32_t, bool> events[] = {
        {'d', 0, true},     {'h', 1, true},    {'d', 500, true},  {'h', 501, false}, {'u', 600, true},
        {'d', 601, true},   {'u', 602, true},  {'h', 603, true},  {'h', 604, true},  {'h', 700, true},
        {'d', 701, true},   {'h', 702, false}, {'d', 5000, true}, {'h', 5001, true}, {'u', 5100, true},
        {'h', 5050, false}, {'h', 5100, false}};
    for (const auto& [event, time, counts] : events) {
        if (event == 'h')
            EXPECT_EQ(counts, keys.TakePress('1', time)) << time;
        else
            keys.Raw('1', event == 'd', time);
    }
}

TEST(AppStartup, HyphenOAnywhereSelectsTheNonResidentMode) {
    const std::pair<const char*, bool> rows[] = {{"  -O", true}, {"file-o", true}, {"-x -o", true},
                                                 {"o", false},   {"- o", false},   {"-", false}};
    for (const auto& [line, nonResident] : rows) EXPECT_EQ(nonResident, RequestsNonResident(line)) << line;
}

TEST(AppStartup, CaptureThrottleAllowsOncePerIntervalAcrossTheTickWrap) {
    CaptureThrottle throttle;
    const std::pair<std::uint32_t, bool> rows[] = {
        {0xFFFFFFC0u, true}, {0xFFFFFFF0u, false}, {0x10u, false}, {0x30u, true}, {0x30u, false}};
    for (const auto& [tick, allowed] : rows) EXPECT_EQ(allowed, throttle.Allow(tick)) << tick;
}

// A history not saved is told neither while the session ends nor in a balloon on an icon going away at exit.
TEST(AppSession, AHistoryNotSavedAtExitIsToldInABox) {
    TempFolder folder;
    AppWithWindow app;
    ASSERT_TRUE(app->tray.IsAdded());
    app->history.Add("x");
    std::filesystem::create_directory("clip.dat.tmp");
    RunDialog([&] { SendMessageA(app.window(), WM_QUERYENDSESSION, 0, 0); }, {});
    EXPECT_STREQ("", app->tray.data().szInfo);
    SendMessageA(app.window(), WM_ENDSESSION, FALSE, 0);
    RunDialog(
        [&] { app.Command(IDM_EXIT); },
        {Expect([](HWND box) { EXPECT_NE(std::string::npos, ControlText(box, 0xFFFF).find("clip.dat")); }),
         ClickOn(IDOK)});
    EXPECT_FALSE(IsWindow(app.window()));
}

}  // namespace
