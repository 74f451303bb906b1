// Mnemonics of owner-drawn entries on real popup menus.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MenuOwnerWindow.h"
#include "MenuTestSupport.h"
#include "menus/Mnemonic.h"
#include "menus/SystemMenuFont.h"

namespace {

TEST(Mnemonic, MarkIsTheByteAfterTheFirstSingleAmpersand) {
    const struct {
        const char* text;
        char mnemonic;
    } cases[] = {
        {"メモ帳 (&N)", 'n'}, {"&apple", 'a'},   {"&&Egg &Fig", 'f'},
        {"&&only", 0},        {"trailing &", 0}, {"", 0},
        {"none", 0},          {"表&ソ", '\x83'},  // a lead byte may follow the mark; it is compared as it is
        {"ソ&1", '1'},                            // 0x5C second bytes do not hide the mark
        {"a&b&c", 'b'},
    };
    for (const auto& c : cases) EXPECT_EQ(MnemonicOf(c.text), c.mnemonic) << c.text;
}

// A popup menu of owner-drawn entries, each with its own record.
class MnemonicMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        menu = CreatePopupMenu();
        Add("&Apple");                                           // 0
        Add(" + b&anana : x");                                   // 1, label "b&anana"
        Add("&Cherry", true);                                    // 2, greyed
        AppendMenuA(menu, MF_STRING, 500, "&Date");              // 3, not owner-drawn
        Add("&&Egg &Fig");                                       // 4
        InsertItemEntry(menu, 5, 505, nullptr, nullptr, false);  // 5, no record
        Add("&avocado");                                         // 6
        Add(" * メモ帳 (&N) : C:\\Windows\\notepad.exe");        // 7
        InsertSeparator(menu, 8, false);                         // 8
        Add(std::string(45, 'x') + "&z");                        // 9, shown shortened without the mark
    }
    void TearDown() override { DestroyMenu(menu); }
    void Add(const std::string& line, bool grey = false) {
        auto item = std::make_unique<PhraseItem>();
        item->Parse(line, false);
        const int position = EntryCount(menu);
        InsertItemEntry(menu, position, static_cast<UINT>(500 + position), item.get(), nullptr, false);
        if (grey) EnableMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_GRAYED);
        items.push_back(std::move(item));
    }
    void Highlight(int position) {
        for (int i = 0; i < EntryCount(menu); ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STATE;
            GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
            info.fState = i == position ? (info.fState | MFS_HILITE) : (info.fState & ~MFS_HILITE);
            SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        }
    }
    HMENU menu = nullptr;
    std::vector<std::unique_ptr<PhraseItem>> items;
};

TEST_F(MnemonicMenu, OneMatchIsExecuted) {
    const struct {
        char typed;
        LRESULT result;
    } cases[] = {
        {'n', MAKELRESULT(7, MNC_EXECUTE)},
        {'N', MAKELRESULT(7, MNC_EXECUTE)},
        {'f', MAKELRESULT(4, MNC_EXECUTE)},
        {'b', 0},  // the mark of " + b&anana" is 'a'
        {'e', 0},  // "&&" is a literal ampersand
        {'c', 0},  // greyed
        {'d', 0},  // no owner-drawn entry
        {'z', 0},  // the shortened label lost its mark
        {'q', 0},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchMnemonic(menu, c.typed), c.result) << c.typed;
}

TEST_F(MnemonicMenu, SeveralMatchesSelectTheNextAfterTheHighlight) {
    // 'a' matches positions 0, 1 and 6.
    const struct {
        int highlighted;
        int selected;
    } cases[] = {{-1, 0}, {0, 1}, {1, 6}, {6, 0}, {3, 6}, {8, 0}};
    for (const auto& c : cases) {
        Highlight(c.highlighted);
        EXPECT_EQ(MatchMnemonic(menu, 'a'), MAKELRESULT(c.selected, MNC_SELECT)) << c.highlighted;
        EXPECT_EQ(MatchMnemonic(menu, 'A'), MAKELRESULT(c.selected, MNC_SELECT)) << c.highlighted;
    }
}

TEST_F(MnemonicMenu, OnlyPopupMenusAreAnswered) {
    const LPARAM handle = reinterpret_cast<LPARAM>(menu);
    EXPECT_EQ(MatchMnemonic(MAKEWPARAM('n', MF_POPUP), handle), MAKELRESULT(7, MNC_EXECUTE));
    EXPECT_EQ(MatchMnemonic(MAKEWPARAM('n', 0), handle), 0);
    EXPECT_EQ(MatchMnemonic(MAKEWPARAM('n', MF_SYSMENU), handle), 0);
}

TEST_F(MnemonicMenu, TypedKeyChoosesTheOnlyMatchInAnOpenMenu) {
    const UniqueFont font = CreateSystemMenuFont();
    MenuOwnerWindow owner(nullptr, font.get());
    const UINT chosen =
        owner.Track(menu, 40, 40, [](HWND menuWindow) { PostMessageA(menuWindow, WM_CHAR, 'n', 1); });
    EXPECT_EQ(chosen, 507u);
    EXPECT_GE(owner.menuCharCount, 1);
}

TEST_F(MnemonicMenu, KeyWithSeveralMatchesChoosesNothing) {
    const UniqueFont font = CreateSystemMenuFont();
    MenuOwnerWindow owner(nullptr, font.get());
    const UINT chosen = owner.Track(menu, 40, 40, [](HWND menuWindow) {
        PostMessageA(menuWindow, WM_CHAR, 'a', 1);
        PostMessageA(menuWindow, WM_CHAR, 'a', 1);
        PostKey(menuWindow, VK_ESCAPE);
    });
    EXPECT_EQ(chosen, 0u);
    EXPECT_GE(owner.menuCharCount, 2);
}

}  // namespace
