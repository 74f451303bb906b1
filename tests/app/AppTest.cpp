#include <gtest/gtest.h>

#include <filesystem>

#include "AppFixture.h"
#include "Clipboard.h"
#include "Files.h"
#include "app/CaptureThrottle.h"
#include "app/CommandLine.h"
#include "app/KeyPresses.h"
#include "resource.h"

namespace {

TEST(AppClipboard, OwnDeliveriesStayOutOfTheHistoryOtherTextsComeIn) {
    TempFolder folder;
    AppWithWindow app("hello");
    app.Command(120);
    EXPECT_EQ("hello", ClipboardText());
    EXPECT_FALSE(
        IsClipboardFormatAvailable(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing")))
        << "other clipboard histories see the delivered text";
    SetClipboardText("");
    SetClipboardText("other");
    WhileClipboardIsHeld([&] { app.Command(120); });  // gives up on a clipboard held by another program
    EXPECT_STREQ("", app->tray.data().szInfo) << "the keys reached a window at our level: nothing to tell";
    SetClipboardText("later");
    app.Pump();
    EXPECT_EQ("other\nlater\n", MenuTexts(app->menus.history()));
    SetClipboardText(std::string(2046, 'a') + "表");
    EXPECT_EQ(std::string(2046, 'a'), app->ItemForCommand(35002)->content)
        << "cut at 2,047 bytes, whole characters";
}

// Unicode text keeps its exact characters in the history, one entry per exact text, across a
// restart (clip.dat keeps the Shift-JIS form, clipw.dat the rest) and back on the clipboard with
// its Shift-JIS form and the Japanese locale, which phrases carry too. 文字追加 of such text adds
// nothing and names what kwibra.ini cannot hold.
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
        EXPECT_NE(std::string::npos, std::string(app->tray.data().szInfo).find("U+00E9 U+1F600 U+20BB7"));
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

// Text a password manager marks as private never reaches the history nor clip.dat, while
// 文字追加 of it stays the user's choice; a permission of 1 lets it in.
TEST(AppClipboard, PrivateTextStaysOutOfTheHistory) {
    TempFolder folder;
    AppWithWindow app("hello");
    const std::pair<const char*, DWORD> marks[] = {{"CanIncludeInClipboardHistory", 1},
                                                   {"ExcludeClipboardContentFromMonitorProcessing", 0},
                                                   {"Clipboard Viewer Ignore", 0},
                                                   {"CanIncludeInClipboardHistory", 0}};
    for (std::size_t i = 0; i < 4; ++i)
        SetClipboardText("private" + std::to_string(i), marks[i].first, marks[i].second);
    EXPECT_EQ("private0\n", MenuTexts(app->menus.history()));
    app.Command(IDM_ADD_CLIPBOARD);
    DestroyWindow(app.window());
    EXPECT_EQ(std::string("\1\0\1\0\x08\0private0", 14), ReadBytes(PhraseApp::historyPath));
    EXPECT_EQ(SettingsText("hello\nprivate3"), ReadBytes(PhraseApp::settingsPath));
}

TEST(AppSession, LogoffSavesTheHistoryAndEndsOnlyWhenTheSessionEnds) {
    TempFolder folder;
    AppWithWindow app;
    app->history.Add("kept");
    EXPECT_EQ(TRUE, SendMessageA(app.window(), WM_QUERYENDSESSION, 0, 0));
    const std::string saved("\1\0\1\0\4\0kept", 10);
    EXPECT_EQ(saved, ReadBytes(PhraseApp::historyPath));
    WriteBytes(PhraseApp::historyPath, "");
    SendMessageA(app.window(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(IsWindow(app.window())) << "the user cancelled the logoff";
    SendMessageA(app.window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(IsWindow(app.window()));
    EXPECT_EQ(saved, ReadBytes(PhraseApp::historyPath))
        << "saved once, not emptied by the destruction after it";
}

// A non-resident start opens its menu before anything is told: its problems wait until the
// delivery is done, keys it could not register are not its business, and while the session
// ends nothing waits for the user, not even without a tray icon.
TEST(AppStartup, ANonResidentStartTellsNothingBeforeItsDelivery) {
    TempFolder folder;
    const HWND other = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT, 'A'));
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
                   const std::string text = ControlText(box, 0xFFFF);
                   EXPECT_NE(std::string::npos, text.find("hkey.dat")) << text;
                   EXPECT_EQ(std::string::npos, text.find("ショートカットキーは")) << text;
               }),
               ClickOn(IDOK)});
    DestroyWindow(other);
}

// A new press of a hotkey's key counts however short the gap, a repeat of a held key does not;
// a hotkey read before its key event counts once, one made before the key went up does not,
// and a key held with no event for longer than the keyboard's repeat delay went up unseen.
TEST(AppHotkeys, APressIsToldFromARepeatByTheKeyGoingUp) {
    KeyPresses keys;
    const std::tuple<char, std::uint32_t, bool> events[] = {
        {'d', 0, true},    {'h', 1, true},    {'d', 500, true},  {'h', 501, false},
        {'u', 600, true},  {'d', 601, true},  {'u', 602, true},  {'h', 603, true},
        {'h', 604, true},  {'h', 700, true},  {'d', 701, true},  {'h', 702, false},
        {'d', 5000, true}, {'h', 5001, true}, {'u', 5100, true}, {'h', 5050, false}};
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

// At exit the tray icon is going away: a history that cannot be saved is told in a box that
// stays until the user has read it, not in a balloon that would vanish with the icon.
TEST(AppSession, AHistoryNotSavedAtExitIsToldInABox) {
    TempFolder folder;
    AppWithWindow app;
    ASSERT_TRUE(app->tray.IsAdded());
    app->history.Add("x");
    std::filesystem::create_directory("clip.dat.tmp");
    RunDialog(
        [&] { app.Command(IDM_EXIT); },
        {Expect([](HWND box) { EXPECT_NE(std::string::npos, ControlText(box, 0xFFFF).find("clip.dat")); }),
         ClickOn(IDOK)});
    EXPECT_FALSE(IsWindow(app.window()));
}

}  // namespace
