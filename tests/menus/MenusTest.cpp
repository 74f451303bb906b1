#include <gtest/gtest.h>

#include "AppFixture.h"
#include "Clipboard.h"
#include "DialogSteps.h"
#include "Files.h"
#include "menus/MenuIds.h"
#include "menus/Mnemonic.h"
#include "menus/OwnerDraw.h"
#include "menus/SystemMenuFont.h"

namespace {

TEST(MenusBuilder, ListLinesAndHotkeysComeBackFromTheMenus) {
    const std::string menus("\0\0\0\0A\3", 6);
    const struct {
        const char* lines;
        std::string hotkeys;
        const char* saved;
        std::string savedHotkeys;
    } rows[] = {
        {"a\n-->\nb\nc", menus, "a\n-->\nb\nc", menus + std::string(8, '\0')},
        {"a\n-->\n-->\nb\n-->", menus, "a\n-->\nb", menus + std::string(6, '\0')},
        {"-->\n---\nx\ttab", menus, "-->\n---\nx        tab", menus + std::string(6, '\0')},
        {"-->\n -sec\nx\n -empty", menus, " -sec\n-->\nx\n -empty", menus + std::string(8, '\0')},
        {" -sec\nx\n---", menus + "1\2" + "2\2" + "3\2", " -sec\nx\n---",
         menus + "1\2" + "2\2" + '\0' + '\0'},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        WriteBytes(PhraseApp::hotkeyPath, row.hotkeys);
        AppWithWindow app(row.lines);
        ASSERT_EQ(SaveOutcome::Saved, app->SaveSettings());
        EXPECT_EQ(SettingsText(row.saved), ReadBytes(PhraseApp::settingsPath)) << row.lines;
        EXPECT_EQ(row.savedHotkeys, ReadBytes(PhraseApp::hotkeyPath)) << row.lines;
    }
}

TEST(MenusBuilder, ClipboardPhraseGoesToTheEndOfThePhraseMenuAndIsSavedAtOnce) {
    TempFolder folder;
    AppWithWindow app("a\n -sec\nb");
    SetClipboardText("new");
    app.Command(IDM_ADD_CLIPBOARD);
    EXPECT_EQ(SettingsText("a\nnew\n -sec\nb"), ReadBytes(PhraseApp::settingsPath));
}

TEST(MenusHistory, MergesDuplicatesKeepsTheNewestAndNumbersFromTheTop) {
    TempFolder folder;
    WriteBytes(PhraseApp::settingsPath, SettingsText("x", "0\t3\t-1\t1"));
    AppWithWindow app(nullptr);
    for (const char* text : {"a", "b", "c", "a", "d"}) app->history.Add(text);
    EXPECT_EQ("c\na\nd\n", MenuTexts(app->menus.history()));
    EXPECT_EQ("c a d", app->ItemForCommand(35000)->content + " " + app->ItemForCommand(35001)->content + " " +
                           app->ItemForCommand(35002)->content);
    SendMessageA(app.window(), WM_SETTINGCHANGE, 0, 0);
    app.Pump();
    EXPECT_EQ("c\na\nd\n", MenuTexts(app->menus.history())) << "a rebuild keeps the history";
    app->options.historyLimit = 0;
    app->history.Trim();
    EXPECT_EQ("", MenuTexts(app->menus.history()));
}

TEST(MenusHistory, FileIsReadBackEachTextOnceNewestLast) {
    TempFolder folder;
    WriteBytes(PhraseApp::historyPath, std::string("\1\0\4\0\1\0x\1\0y\1\0x\3\0a\tb", 18));
    AppWithWindow app;
    EXPECT_EQ("y\nx\na        b\n", MenuTexts(app->menus.history()));
    ASSERT_EQ(SaveOutcome::Saved, app->SaveHistory());
    EXPECT_EQ(std::string("\1\0\3\0\1\0y\1\0x\3\0a\tb", 15), ReadBytes(PhraseApp::historyPath));
}

TEST(MenusKeys, MnemonicsExecuteOneMatchAndStepThroughSeveral) {
    TempFolder folder;
    AppWithWindow app("&apple\n&Avocado\n&banana\n + &label : text");
    const HMENU menu = app->menus.phrases();
    EXPECT_EQ(MAKELRESULT(2, MNC_EXECUTE), MatchMnemonic(menu, 'B'));
    EXPECT_EQ(MAKELRESULT(3, MNC_EXECUTE), MatchMnemonic(menu, 'l')) << "the label's mark counts";
    EXPECT_EQ(MAKELRESULT(0, MNC_SELECT), MatchMnemonic(menu, 'a'));
    MENUITEMINFOA highlight{};
    highlight.cbSize = sizeof highlight;
    highlight.fMask = MIIM_STATE;
    highlight.fState = MFS_HILITE;
    SetMenuItemInfoA(menu, 0, TRUE, &highlight);
    EXPECT_EQ(MAKELRESULT(1, MNC_SELECT), MatchMnemonic(menu, 'a'));
    EXPECT_EQ(0, MatchMnemonic(menu, 'z'));
}

TEST(MenusKeys, HotkeyIdentifiersSayWhatToDo) {
    using Kind = HotkeyActionKind;
    const std::pair<std::int32_t, HotkeyAction> rows[] = {
        {0, {Kind::ShowMenu, 0}},        {2, {Kind::ShowMenu, 2}},    {101, {Kind::ShowMenu, 101}},
        {102, {Kind::TypeTilde, 0}},     {103, {Kind::Ignore, 0}},    {120, {Kind::DeliverItem, 120}},
        {0xA000, {Kind::ShowMenu, 102}}, {0xC000, {Kind::Ignore, 0}}, {-1, {Kind::Ignore, 0}},
    };
    for (const auto& [id, action] : rows) {
        const HotkeyAction got = ActionForHotkey(id);
        EXPECT_EQ(static_cast<int>(action.kind), static_cast<int>(got.kind)) << id;
        EXPECT_EQ(action.value, got.value) << id;
    }
}

// Run at 96 and at 144 dots per inch (menus_dpi144): gaps, icons and the
// icon box grow with the display; a large menu font takes the large icons.
TEST(MenusDrawing, EntriesScaleWithTheDisplayAndTheFont) {
    TempFolder folder;
    AppWithWindow app;
    PhraseItem item;
    item.Parse(" + label : text", false);
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    const auto scaled = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
    SIZE size{};
    const UniqueFont font = CreateSystemMenuFont();
    MeasureEntry(item, screen, font.get(), &size);
    EXPECT_EQ(scaled(16), iconSize);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, size.cy);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    const RECT rect{0, 0, 300, size.cy};
    DrawEntry(item, dc, font.get(), &rect, true);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_NE(highlight, GetPixel(dc, scaled(20) - 1, size.cy / 2)) << "the icon box";
    EXPECT_EQ(highlight, GetPixel(dc, scaled(21), size.cy / 2)) << "the background beside it";
    std::printf("at %d dots per inch: entry height %ld, icon box %d\n", dpi, size.cy, scaled(20));
    const HFONT large = CreateFontA(scaled(40), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "MS UI Gothic");
    MeasureEntry(item, screen, large, &size);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), iconSize);
    DeleteObject(large);
    DeleteObject(SelectObject(dc, previous));
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

}  // namespace
