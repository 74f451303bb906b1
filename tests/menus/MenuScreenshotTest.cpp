// Pops up the program's menus on the test display, as the default list and
// a few clipboard texts fill them, and saves what the screen shows
// (build/<tree>/screenshots/menu-*.bmp, turned into PNG by the next step).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Canvas.h"
#include "MenuOwnerWindow.h"
#include "MenuTestSupport.h"

namespace {

constexpr UINT_PTR CaptureTimer = 1;

std::string CurrentDirectory() {
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

class MenuScreenshot : public ::testing::Test {
  protected:
    void SetUp() override {
        // The internet shortcut gives web and mail entries their icon.
        WriteBytes("new.url", "[InternetShortcut]\r\nURL=https://kwibra.example.jp/\r\n");
        // The help text lies beside the program.
        WriteBytes("kwibra.txt", "クウィブラ\r\n");
        ASSERT_EQ(app->LoadSettings(true), SettingsSource::Missing);
        for (const char* text : {"コピーした文字", "表示\tタブ\r\n二行目", "https://kwibra.example.jp/",
                                 "ソースコードの一部を長めにコピーすると四十バイトで切られます"})
            app->AddHistoryEntry(text);
    }

    // Opens menu, optionally presses keys in it, and saves every open menu.
    void Capture(HMENU menu, const std::string& name, std::initializer_list<WPARAM> keys = {}) {
        MenuOwnerWindow owner(&*app);
        RECT shown{};
        bool saved = false;
        std::vector<WPARAM> pressed(keys);
        owner.Track(
            menu, 20, 20,
            [&](HWND menuWindow) {
                for (WPARAM key : pressed) PostKey(menuWindow, key);
                SetTimer(owner.hwnd(), CaptureTimer, 700, nullptr);
            },
            [&](UINT_PTR timer) {
                if (timer != CaptureTimer) return;
                KillTimer(owner.hwnd(), CaptureTimer);
                shown = OpenMenusRect();
                const int width = shown.right - shown.left;
                const int height = shown.bottom - shown.top;
                if (width > 0 && height > 0) {
                    Canvas canvas(width, height, RGB(0, 0, 0));
                    canvas.CopyScreen(shown);
                    saved = canvas.WriteBmp(screenshots + "\\" + name + ".bmp");
                    colours = canvas.DistinctColours();
                }
                EndMenu();
            });
        EXPECT_TRUE(saved) << name;
        EXPECT_GT(shown.right - shown.left, 100) << name;
        EXPECT_GT(shown.bottom - shown.top, 40) << name;
        // Text, icons and frames give many colours; a failed capture gives one.
        EXPECT_GT(colours, 8) << name;
        captured = shown;
    }

    // Taken before the test moves into its own directory.
    const std::string screenshots = CurrentDirectory();
    TempDirectory directory;
    AppUnderTest app;
    int colours = 0;
    RECT captured{};
};

TEST_F(MenuScreenshot, MainMenu) {
    Capture(app->MainMenu(), "menu-main");
    // Seven entries, none narrower than the history entry's text.
    EXPECT_GE(captured.bottom - captured.top, 7 * 16);
}

TEST_F(MenuScreenshot, PhraseMenu) {
    Capture(app->PhraseMenu, "menu-phrase");
    EXPECT_GE(captured.bottom - captured.top, 18 * GetSystemMetrics(SM_CYMENU) / 2);
}

TEST_F(MenuScreenshot, HistoryMenu) { Capture(app->HistoryMenu, "menu-history"); }

TEST_F(MenuScreenshot, MainMenuWithThePhraseMenuOpen) {
    Capture(app->MainMenu(), "menu-main-phrase", {VK_DOWN, VK_DOWN, VK_RIGHT});
}

TEST_F(MenuScreenshot, MainMenuWithTheSectionOpen) {
    Capture(app->MainMenu(), "menu-main-section", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
}

}  // namespace
