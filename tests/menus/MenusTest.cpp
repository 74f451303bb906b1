#include <gtest/gtest.h>

#include <algorithm>

#include "AppFixture.h"
#include "Clipboard.h"
#include "DialogSteps.h"
#include "Files.h"
#include "menus/ClipHistory.h"
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

// Each text once where last added, the newest within the limit, numbered from the top, kept across a rebuild.
TEST(MenusHistory, KeepsEachTextOnceNewestLastWithinTheLimit) {
    TempFolder folder;
    WriteBytes("clip.dat", std::string("\1\0\4\0\1\0x\1\0y\1\0x\3\0a\tb", 18));
    std::int32_t limit = 4;
    ClipHistory history(limit);
    history.Attach(CreatePopupMenu());
    const HistoryPaths paths{"clip.dat", "clipw.dat"};
    history.Load(paths);
    EXPECT_EQ("y\nx\na        b\n", MenuTexts(history.menu()));
    for (const char* text : {"c", "x", "d"}) history.Add(text);
    EXPECT_EQ("a        b\nc\nx\nd\n", MenuTexts(history.menu()));
    for (int position = 0; position < 4; ++position)
        EXPECT_EQ(FIRST_HISTORY_COMMAND_ID + position, GetMenuItemID(history.menu(), position));
    history.KeepForRebuild(paths);
    EXPECT_EQ(std::string("\1\0\4\0\3\0a\tb\1\0c\1\0x\1\0d", 18), ReadBytes("clip.dat"));
    history.Clear();
    limit = 2;
    history.Load(paths);
    EXPECT_EQ("x\nd\n", MenuTexts(history.menu()));
    limit = 0;
    history.Trim();
    EXPECT_EQ("", MenuTexts(history.menu()));
    DestroyMenu(history.menu());
}

// A character typed into the open menu chooses the one entry with that mnemonic (a command's, once
// measured, shows without " * "); Wine's loop ignores MNC_SELECT: stepping through several is asked here.
TEST(MenusKeys, MnemonicsChooseInTheOpenMenu) {
    TempFolder folder;
    AppWithWindow app("&apple\n&Avocado\n&banana\n + &label : text\n * メモ帳 (&N) : C:\\windows");
    const std::pair<char, const char*> rows[] = {{'z', ""}, {'B', "&banana"}, {'l', "text"}};
    for (const auto& [typed, chosen] : rows) {
        PostMessageA(app.window(), WM_CHAR, static_cast<WPARAM>(typed), 0);
        PostMessageA(app.window(), WM_KEYDOWN, VK_ESCAPE, 0);  // for a menu the character left open
        app->ShowMenu(PHRASE_MENU_POSITION + 1);
        app.Pump();
        EXPECT_EQ(chosen, ClipboardText()) << typed;
    }
    EXPECT_EQ("&apple\n&Avocado\n&banana\n&label\nメモ帳 (&N)\n---\n", MenuTexts(app->menus.phrases()));
    MENUITEMINFOA highlight{sizeof highlight, MIIM_STATE, 0, MFS_HILITE, 0, nullptr,
                            nullptr,          nullptr,    0, nullptr,    0, nullptr};
    SetMenuItemInfoA(app->menus.phrases(), 0, TRUE, &highlight);
    EXPECT_EQ(MAKELRESULT(1, MNC_SELECT), MatchMnemonic(app->menus.phrases(), 'a'));
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

// At 96 and 144 dots per inch (menus_dpi144) an entry is as tall as its text, the menu bar and its icon;
// in the width it asks for (the system adds the check mark's) it shows all it shows in a wider one.
TEST(MenusDrawing, EntriesFitTheirTextAndShowTheSelection) {
    TempFolder folder;
    AppWithWindow app;
    const HDC screen = GetDC(nullptr);
    const HFONT large = CreateFontA(MulDiv(40, GetDeviceCaps(screen, LOGPIXELSY), 96), 0, 0, 0, 0, 0, 0, 0, 0,
                                    0, 0, 0, 0, "MS UI Gothic");
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ previous = SelectObject(dc, CreateCompatibleBitmap(screen, 1000, 200));
    PhraseItem item;
    item.Parse(" + ラベル : text", false);
    const UniqueFont menuFont = CreateSystemMenuFont();
    for (const auto& [font, icon] : {std::pair{menuFont.get(), SM_CXSMICON}, {large, SM_CXICON}}) {
        SIZE size{};
        MeasureEntry(item, screen, font, &size);
        TEXTMETRICA text{};
        SelectObject(dc, font);
        GetTextMetricsA(dc, &text);
        EXPECT_EQ(GetSystemMetrics(icon), iconSize);
        EXPECT_EQ(std::max<LONG>({text.tmHeight + 1, GetSystemMetrics(SM_CYMENU), iconSize}), size.cy);
        const int width = size.cx + GetSystemMetrics(SM_CXMENUCHECK);
        for (const bool selected : {true, false}) {
            const RECT asked{0, 0, width, size.cy}, wider{0, size.cy, 2 * width, 2 * size.cy};
            PatBlt(dc, 0, 0, 2 * width, 2 * size.cy, BLACKNESS);  // where no entry paints
            DrawEntry(item, dc, font, &asked, selected);
            DrawEntry(item, dc, font, &wider, selected);
            int differing = 0;
            for (int x = 0; x < width; ++x)
                for (int y = 0; y < size.cy; ++y)
                    differing += GetPixel(dc, x, y) != GetPixel(dc, x, y + size.cy);
            EXPECT_EQ(0, differing) << "cut at " << width << " pixels";
            EXPECT_EQ(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU), GetPixel(dc, width - 1, 0));
        }
    }
    DeleteObject(SelectObject(dc, previous));
    DeleteDC(dc);
    DeleteObject(large);
    ReleaseDC(nullptr, screen);
}

}  // namespace

// An entry is measured once per font: as afresh, also in a font made anew after its text changed.
TEST(MenusDrawing, EntriesAreMeasuredAgainInANewFont) {
    TempFolder folder;
    AppWithWindow app("short");
    PhraseItem* item = app->ItemForCommand(FIRST_ITEM_COMMAND_ID);
    const auto answer = [&] {
        MEASUREITEMSTRUCT measure{ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(item)};
        app->menus.Measure(measure);
        return std::to_string(measure.itemWidth) + "x" + std::to_string(measure.itemHeight);
    };
    const auto afresh = [&] {
        SIZE size{};
        const UniqueFont font = CreateSystemMenuFont();
        const HDC screen = GetDC(nullptr);
        MeasureEntry(*item, screen, font.get(), &size);
        ReleaseDC(nullptr, screen);
        return std::to_string(size.cx) + "x" + std::to_string(size.cy);
    };
    EXPECT_EQ(afresh(), answer());
    item->content = "a text much longer than the one measured";
    app->menus.ReleaseFont();
    EXPECT_EQ(afresh(), answer());
}
