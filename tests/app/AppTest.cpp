#include <gtest/gtest.h>

#include "AppFixture.h"
#include "Clipboard.h"
#include "Files.h"
#include "app/CaptureThrottle.h"
#include "app/CommandLine.h"

namespace {

TEST(AppClipboard, OwnDeliveriesStayOutOfTheHistoryOtherTextsComeIn) {
    TempFolder folder;
    AppWithWindow app("hello");
    app.Command(120);
    EXPECT_EQ("hello", ClipboardText());
    SetClipboardText("");
    SetClipboardText("other");
    {
        ClipboardHolder elsewhere;
        app.Command(120);  // gives up on a clipboard held by another program
    }
    SetClipboardText("later");
    app.Pump();
    EXPECT_EQ("other\nlater\n", MenuTexts(app->HistoryMenu));
    SetClipboardText(std::string(2046, 'a') + "表");
    EXPECT_EQ(std::string(2046, 'a'), app->ItemForCommand(35002)->content)
        << "cut at 2,047 bytes, whole characters";
}

TEST(AppShutdown, EndOfSessionThenDestroySavesTheHistoryOnce) {
    TempFolder folder;
    AppWithWindow app;
    app->AddHistoryEntry("kept");
    SendMessageA(app.window(), WM_QUERYENDSESSION, 0, 0);
    DestroyWindow(app.window());
    EXPECT_EQ(std::string("\1\0\1\0\4\0kept", 10), ReadBytes(PhraseApp::historyPath));
}

TEST(AppStartup, UnreadableSettingsFileIsNeitherGreetedNorOverwritten) {
    TempFolder folder;
    WriteBytes(PhraseApp::settingsPath, SettingsText("mine"));
    HeldFile lock(PhraseApp::settingsPath, 0);
    AppWithWindow app(nullptr);
    lock.Release();
    EXPECT_FALSE(app->SaveSettings());
    EXPECT_EQ(SettingsText("mine"), ReadBytes(PhraseApp::settingsPath));
}

TEST(AppStartup, HyphenOAnywhereSelectsTheNonResidentMode) {
    const std::pair<const char*, bool> rows[] = {{"  -O", true}, {"file-o", true}, {"-x -o", true},
                                                 {"o", false},   {"- o", false},   {"-", false}};
    for (const auto& [line, nonResident] : rows) EXPECT_EQ(nonResident, RequestsNonResident(line)) << line;
}

TEST(AppStartup, TargetIsCapturedOncePerIntervalAcrossTheTickWrap) {
    CaptureThrottle throttle;
    const std::pair<std::uint32_t, bool> rows[] = {
        {0xFFFFFFC0u, true}, {0xFFFFFFF0u, false}, {0x10u, false}, {0x30u, true}, {0x30u, false}};
    for (const auto& [tick, allowed] : rows) EXPECT_EQ(allowed, throttle.Allow(tick)) << tick;
}

}  // namespace
