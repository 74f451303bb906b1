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
    EXPECT_FALSE(
        IsClipboardFormatAvailable(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing")))
        << "other clipboard histories see the delivered text";
    SetClipboardText("");
    SetClipboardText("other");
    WhileClipboardIsHeld([&] { app.Command(120); });  // gives up on a clipboard held by another program
    SetClipboardText("later");
    app.Pump();
    EXPECT_EQ("other\nlater\n", MenuTexts(app->HistoryMenu));
    SetClipboardText(std::string(2046, 'a') + "表");
    EXPECT_EQ(std::string(2046, 'a'), app->ItemForCommand(35002)->content)
        << "cut at 2,047 bytes, whole characters";
}

TEST(AppSession, LogoffSavesTheHistoryAndEndsOnlyWhenTheSessionEnds) {
    TempFolder folder;
    AppWithWindow app;
    app->AddHistoryEntry("kept");
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
