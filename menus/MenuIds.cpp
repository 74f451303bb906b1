#include "menus/MenuIds.h"

std::int32_t SectionHotkeyId(int position) {
    if (position < FIRST_SECTION_POSITION) return 0;
    if (position <= LAST_CLASSIC_SECTION_POSITION) return position + 1;
    const std::int64_t id =
        std::int64_t{FIRST_EXTENDED_SECTION_HOTKEY_ID} + position - (LAST_CLASSIC_SECTION_POSITION + 1);
    return id <= LAST_HOTKEY_ID ? static_cast<std::int32_t>(id) : 0;
}

HotkeyAction ActionForHotkey(std::int32_t id) {
    if (id == HOTKEY_TILDE) return {HotkeyActionKind::TypeTilde, 0};
    if (id >= 0 && id <= LAST_CLASSIC_SECTION_POSITION + 1) return {HotkeyActionKind::ShowMenu, id};
    if (id >= FIRST_ITEM_COMMAND_ID && id <= LAST_ITEM_COMMAND_ID) return {HotkeyActionKind::DeliverItem, id};
    if (id >= FIRST_EXTENDED_SECTION_HOTKEY_ID && id <= LAST_HOTKEY_ID) {
        const int position = id - FIRST_EXTENDED_SECTION_HOTKEY_ID + LAST_CLASSIC_SECTION_POSITION + 1;
        return {HotkeyActionKind::ShowMenu, position + 1};
    }
    return {};
}
