#include <gtest/gtest.h>

#include "menus/MenuIds.h"

namespace {

TEST(MenuIds, SectionPositionsGiveHotkeyIdentifiers) {
    const struct {
        int position;
        std::int32_t id;
    } cases[] = {
        {-1, 0},
        {0, 0},
        {1, 0},
        {2, 3},
        {100, 101},
        {101, FIRST_EXTENDED_SECTION_HOTKEY_ID},
        {119, FIRST_EXTENDED_SECTION_HOTKEY_ID + 18},
        {101 + (LAST_HOTKEY_ID - FIRST_EXTENDED_SECTION_HOTKEY_ID), LAST_HOTKEY_ID},
        {102 + (LAST_HOTKEY_ID - FIRST_EXTENDED_SECTION_HOTKEY_ID), 0},
        {2147483647, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(SectionHotkeyId(c.position), c.id) << c.position;
}

TEST(MenuIds, HotkeyIdentifiersSayWhatToDo) {
    const struct {
        std::int32_t id;
        HotkeyActionKind kind;
        int value;
    } cases[] = {
        {0, HotkeyActionKind::ShowMenu, 0},
        {1, HotkeyActionKind::ShowMenu, 1},
        {2, HotkeyActionKind::ShowMenu, 2},
        {3, HotkeyActionKind::ShowMenu, 3},
        {101, HotkeyActionKind::ShowMenu, 101},
        {102, HotkeyActionKind::TypeTilde, 0},
        {103, HotkeyActionKind::Ignore, 0},
        {119, HotkeyActionKind::Ignore, 0},
        {120, HotkeyActionKind::DeliverItem, 120},
        {30000, HotkeyActionKind::DeliverItem, 30000},
        {34999, HotkeyActionKind::DeliverItem, 34999},
        {35000, HotkeyActionKind::Ignore, 0},
        {IDM_EXIT, HotkeyActionKind::Ignore, 0},
        {FIRST_EXTENDED_SECTION_HOTKEY_ID, HotkeyActionKind::ShowMenu, 102},
        {LAST_HOTKEY_ID, HotkeyActionKind::ShowMenu, 102 + LAST_HOTKEY_ID - FIRST_EXTENDED_SECTION_HOTKEY_ID},
        {LAST_HOTKEY_ID + 1, HotkeyActionKind::Ignore, 0},
        {-1, HotkeyActionKind::Ignore, 0},
    };
    for (const auto& c : cases) {
        const HotkeyAction action = ActionForHotkey(c.id);
        EXPECT_EQ(action.kind, c.kind) << c.id;
        EXPECT_EQ(action.value, c.value) << c.id;
    }
}

TEST(MenuIds, EverySectionHotkeyLeadsBackToItsPosition) {
    for (int position = 2; position < 9000; ++position) {
        const std::int32_t id = SectionHotkeyId(position);
        if (id == 0) continue;
        const HotkeyAction action = ActionForHotkey(id);
        ASSERT_EQ(action.kind, HotkeyActionKind::ShowMenu) << position;
        ASSERT_EQ(action.value, position + 1) << position;
    }
}

}  // namespace
