#pragma once
// Keyboard mnemonics for owner-drawn entries, which the system does not see:
// the answer to WM_MENUCHAR.
#include <windows.h>

#include <string_view>

// The byte after the text's mnemonic mark "&" ("&&" is a literal ampersand),
// folded to lower case; 0 when the text has none.
char MnemonicOf(std::string_view text);

// WM_MENUCHAR: wParam holds the typed character (low word) and the menu kind
// (high word), lParam the menu. One matching entry is executed, several are
// highlighted in turn; 0 when nothing matches or the menu is no popup.
LRESULT MatchMnemonic(WPARAM wParam, LPARAM lParam);
LRESULT MatchMnemonic(HMENU menu, char typed);
