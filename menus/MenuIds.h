#pragma once
// The identifier scheme shared by menu entries and global hotkeys, and the one
// place that turns a hotkey identifier into what WM_HOTKEY has to do.
#include <cstdint>

#include "resource.h"

// Hotkey identifiers of the three menus.
constexpr int MAIN_MENU_HOTKEY_ID = 0;
constexpr int HISTORY_MENU_HOTKEY_ID = 1;
constexpr int PHRASE_MENU_HOTKEY_ID = 2;

// Main menu positions: the history entry, the phrase entry, then the sections.
constexpr int HISTORY_MENU_POSITION = 0;
constexpr int PHRASE_MENU_POSITION = 1;
constexpr int FIRST_SECTION_POSITION = 2;
// Entries after the last section: "編集・設定(&A)...", separator, version, exit.
constexpr int MAIN_MENU_FIXED_TAIL = 4;
// Entries after the phrases of the phrase menu: separator, add, settings.
constexpr int PHRASE_MENU_FIXED_TAIL = 3;

// Items are numbered from FIRST_ITEM_COMMAND_ID. Only those up to
// LAST_SAVED_ITEM_ID are written back; later ones keep identifiers up to
// LAST_ITEM_COMMAND_ID, and beyond that an item gets no command at all, so an
// item can never take a history entry's or a fixed command's identifier.
constexpr int LAST_SAVED_ITEM_ID = 30000;
constexpr int LAST_ITEM_COMMAND_ID = 34999;
constexpr int FIRST_HISTORY_COMMAND_ID = 35000;
// History entries are numbered up to 40000, below the fixed commands.
constexpr int HISTORY_ENTRY_LIMIT = IDM_EXIT - FIRST_HISTORY_COMMAND_ID;

// A section keeps the classic identifier (its position + 1) while that stays
// below HOTKEY_TILDE; sections further down take identifiers from a range of
// their own above every command identifier, so that they meet neither the
// tilde shortcut nor an item. Past that range a section has no hotkey.
constexpr int LAST_CLASSIC_SECTION_POSITION = HOTKEY_TILDE - 2;
constexpr int FIRST_EXTENDED_SECTION_HOTKEY_ID = 0xA000;
constexpr int LAST_HOTKEY_ID = 0xBFFF;  // RegisterHotKey takes 0 to 0xBFFF

// The hotkey identifier of the section at this main menu position; 0 when the
// position can have none.
std::int32_t SectionHotkeyId(int position);

enum class HotkeyActionKind {
    Ignore,       // no binding of ours has this identifier
    ShowMenu,     // post IDM_SHOW_MENU with value as the menu selector
    DeliverItem,  // post WM_COMMAND with value as the item's command identifier
    TypeTilde,    // the Shift+0 tilde shortcut
};

struct HotkeyAction {
    HotkeyActionKind kind = HotkeyActionKind::Ignore;
    int value = 0;
};

// What WM_HOTKEY with this identifier does. A menu selector is 0 for the
// whole main menu, else the main menu position of the popup + 1.
HotkeyAction ActionForHotkey(std::int32_t id);
