#pragma once
// The few menu operations the builder and the history need, on real popup
// menus. Every entry that shows an item carries its PhraseItem as item data.
#include <windows.h>

struct PhraseItem;

struct MenuEntry {
    UINT type = 0;   // MFT_...
    UINT state = 0;  // MFS_...
    UINT id = 0;
    HMENU popup = nullptr;
    PhraseItem* record = nullptr;

    bool IsSeparator() const { return (type & MFT_SEPARATOR) != 0; }
    bool IsOwnerDrawn() const { return (type & MFT_OWNERDRAW) != 0; }
    bool BeginsColumn() const { return (type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0; }
};

// The entry at position; false when there is none.
bool ReadEntry(HMENU menu, int position, MenuEntry& entry);
int EntryCount(HMENU menu);

// The position that appends an entry after the last one.
constexpr int AppendPosition = -1;

// An owner-drawn entry showing record, opening popup when it is not null.
bool InsertItemEntry(HMENU menu, int position, UINT id, PhraseItem* record, HMENU popup, bool columnBreak);
bool InsertSeparator(HMENU menu, int position, bool columnBreak);
bool SetEntryId(HMENU menu, int position, UINT id);
// Deletes the entry at position (its popup with it) and frees its record.
void DeleteEntryAndRecord(HMENU menu, int position);
