#include "menus/Mnemonic.h"

#include "data/PhraseItem.h"
#include "menus/MenuEntries.h"

namespace {

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool TakesMnemonics(const MenuEntry& entry) {
    return entry.IsOwnerDrawn() && entry.record && !(entry.state & (MFS_GRAYED | MFS_DISABLED));
}

const std::string& MnemonicText(const PhraseItem& item) {
    return (item.flags & PhraseItem::ItemSeparateLabel) ? item.label : item.content;
}

}  // namespace

char MnemonicOf(std::string_view text) {
    // "&" (0x26) is never the second byte of a Shift-JIS character.
    for (std::size_t i = text.find('&'); i != std::string_view::npos && i + 1 < text.size();
         i = text.find('&', i + 2)) {
        if (text[i + 1] != '&') return Folded(text[i + 1]);
    }
    return 0;
}

LRESULT MatchMnemonic(HMENU menu, char typed) {
    typed = Folded(typed);
    if (typed == 0) return 0;
    int highlighted = -1;
    int first = -1;
    int afterHighlight = -1;
    int matches = 0;
    const int count = EntryCount(menu);
    for (int position = 0; position < count; ++position) {
        MenuEntry entry;
        if (!ReadEntry(menu, position, entry)) continue;
        if (entry.state & MFS_HILITE) highlighted = position;
        if (!TakesMnemonics(entry) || MnemonicOf(MnemonicText(*entry.record)) != typed) continue;
        ++matches;
        if (first < 0) first = position;
        if (afterHighlight < 0 && highlighted >= 0 && position > highlighted) afterHighlight = position;
    }
    if (matches == 1) return MAKELRESULT(first, MNC_EXECUTE);
    if (matches > 1) return MAKELRESULT(afterHighlight >= 0 ? afterHighlight : first, MNC_SELECT);
    return 0;
}

LRESULT MatchMnemonic(WPARAM wParam, LPARAM lParam) {
    if (!(HIWORD(wParam) & MF_POPUP)) return 0;
    return MatchMnemonic(reinterpret_cast<HMENU>(lParam), static_cast<char>(LOBYTE(LOWORD(wParam))));
}
