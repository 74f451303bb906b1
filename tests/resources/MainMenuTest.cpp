#include "TestResources.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

struct MenuEntry {
    bool separator;
    UINT id;
    const char* text;
};

struct EntryRead {
    UINT type = 0;
    UINT id = 0;
    HMENU popup = nullptr;
    std::string text;
};

EntryRead ReadEntry(HMENU menu, UINT position)
{
    char buffer[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = sizeof(buffer);
    EntryRead entry;
    if (GetMenuItemInfoA(menu, position, TRUE, &info)) {
        entry.type = info.fType;
        entry.id = info.wID;
        entry.popup = info.hSubMenu;
        entry.text.assign(buffer, info.cch);
    }
    return entry;
}

}  // namespace

TEST(MainMenu, HasOnePopupAsItsOnlyEntry)
{
    MenuHandle menu(LoadMenuA(ResourceInstance(), MAKEINTRESOURCEA(IDR_MAIN_MENU)));
    ASSERT_TRUE(menu);
    EXPECT_EQ(GetMenuItemCount(menu.get()), 1);
    EXPECT_NE(GetSubMenu(menu.get(), 0), nullptr);
}

TEST(MainMenu, PopupHoldsPlaceholdersAndTheFixedCommands)
{
    MenuHandle menu(LoadMenuA(ResourceInstance(), MAKEINTRESOURCEA(IDR_MAIN_MENU)));
    ASSERT_TRUE(menu);
    HMENU popup = GetSubMenu(menu.get(), 0);
    ASSERT_NE(popup, nullptr);

    const MenuEntry expected[] = {
        {false, 0, ""},  // replaced by the history menu
        {false, 0, ""},  // replaced by the phrase menu
        {false, IDM_SETTINGS, "編集・設定(&A)..."},
        {true, 0, ""},
        {false, IDM_ABOUT, "バージョン情報(&V)..."},
        {false, IDM_EXIT, "終了(&E)"},
    };
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(std::size(expected)));
    for (UINT i = 0; i < std::size(expected); ++i) {
        EntryRead entry = ReadEntry(popup, i);
        EXPECT_EQ(entry.id, expected[i].id) << "position " << i;
        EXPECT_EQ(entry.text, expected[i].text) << "position " << i;
        EXPECT_EQ(entry.popup, nullptr) << "position " << i;
        if (expected[i].separator) {
            EXPECT_TRUE(entry.type & MFT_SEPARATOR) << "position " << i;
        }
        else if (expected[i].id != 0) {
            EXPECT_EQ(entry.type, static_cast<UINT>(MFT_STRING)) << "position " << i;
        }
    }
}

TEST(MainMenu, CommandsAreFoundByIdentifier)
{
    MenuHandle menu(LoadMenuA(ResourceInstance(), MAKEINTRESOURCEA(IDR_MAIN_MENU)));
    ASSERT_TRUE(menu);
    HMENU popup = GetSubMenu(menu.get(), 0);
    char text[64] = {};
    EXPECT_GT(GetMenuStringA(popup, IDM_EXIT, text, sizeof(text), MF_BYCOMMAND), 0);
    EXPECT_STREQ(text, "終了(&E)");
    EXPECT_EQ(GetMenuStringA(popup, IDM_ADD_CLIPBOARD, text, sizeof(text), MF_BYCOMMAND), 0);
    EXPECT_EQ(GetMenuState(popup, IDM_PASTE, MF_BYCOMMAND), static_cast<UINT>(-1));
}
