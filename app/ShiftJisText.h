#pragma once
// Between the system's UTF-16 and the Shift-JIS (code page 932) of the
// program's files and menus.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The Shift-JIS form of text, with '?' for what the code page cannot hold
// (never a similar-looking character in its place).
std::string ToShiftJis(std::wstring_view text);
std::wstring FromShiftJis(std::string_view text);

// True when the Shift-JIS form gives the text back exactly.
bool ShiftJisHolds(std::wstring_view text);

// The longest start of text, in whole characters, whose Shift-JIS form
// fits in limit bytes.
std::wstring_view FittingShiftJis(std::wstring_view text, std::size_t limit);

// The characters of text that Shift-JIS cannot hold, each once, as "U+1F600".
std::vector<std::string> CharactersLost(std::wstring_view text);
