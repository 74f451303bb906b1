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

// One popup: two placeholders, then the fixed commands the application
// finds by identifier; the commands it appends later are not there yet.
TEST(MainMenu, PopupHoldsPlaceholdersAndTheFixedCommands)
{
    MenuHandle menu(LoadMenuA(ResourceInstance(), MAKEINTRESOURCEA(IDR_MAIN_MENU)));
    ASSERT_TRUE(menu);
    ASSERT_EQ(GetMenuItemCount(menu.get()), 1);
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
        SCOPED_TRACE(testing::Message() << "position " << i);
        EXPECT_EQ(entry.id, expected[i].id);
        EXPECT_EQ(entry.text, expected[i].text);
        EXPECT_EQ(entry.popup, nullptr);
        if (expected[i].separator) {
            EXPECT_TRUE(entry.type & MFT_SEPARATOR);
        }
        else if (expected[i].id != 0) {
            EXPECT_EQ(entry.type, static_cast<UINT>(MFT_STRING));
        }
    }
    EXPECT_EQ(GetMenuState(popup, IDM_ADD_CLIPBOARD, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(popup, IDM_PASTE, MF_BYCOMMAND), static_cast<UINT>(-1));
}
