#include "menus/MenuEntries.h"

#include "data/PhraseItem.h"

namespace {

// The break that begins a new column, with a line between the columns.
constexpr UINT ColumnBreak = MFT_MENUBARBREAK;

MENUITEMINFOA InfoFor(UINT mask) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = mask;
    return info;
}

}  // namespace

bool ReadEntry(HMENU menu, int position, MenuEntry& entry) {
    MENUITEMINFOA info = InfoFor(MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA);
    if (position < 0 || !GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return false;
    entry.type = info.fType;
    entry.state = info.fState;
    entry.id = info.wID;
    entry.popup = info.hSubMenu;
    entry.record = reinterpret_cast<PhraseItem*>(info.dwItemData);
    return true;
}

int EntryCount(HMENU menu) {
    const int count = menu ? GetMenuItemCount(menu) : 0;
    return count > 0 ? count : 0;
}

bool InsertItemEntry(HMENU menu, int position, UINT id, PhraseItem* record, HMENU popup, bool columnBreak) {
    MENUITEMINFOA info = InfoFor(MIIM_FTYPE | MIIM_ID | MIIM_DATA | (popup ? MIIM_SUBMENU : 0));
    info.fType = MFT_OWNERDRAW | (columnBreak ? ColumnBreak : 0);
    info.wID = id;
    info.hSubMenu = popup;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(record);
    return InsertMenuItemA(menu, static_cast<UINT>(position), TRUE, &info) != FALSE;
}

bool InsertSeparator(HMENU menu, int position, bool columnBreak) {
    MENUITEMINFOA info = InfoFor(MIIM_FTYPE);
    info.fType = MFT_SEPARATOR | (columnBreak ? ColumnBreak : 0);
    return InsertMenuItemA(menu, static_cast<UINT>(position), TRUE, &info) != FALSE;
}

bool SetEntryId(HMENU menu, int position, UINT id) {
    MENUITEMINFOA info = InfoFor(MIIM_ID);
    info.wID = id;
    return SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) != FALSE;
}

void DeleteEntryAndRecord(HMENU menu, int position) {
    MenuEntry entry;
    if (!ReadEntry(menu, position, entry)) return;
    DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (entry.IsOwnerDrawn()) delete entry.record;
}
