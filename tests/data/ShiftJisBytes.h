#pragma once
// Bytes at the edges of the Shift-JIS lead-byte ranges, and whether each begins a two-byte character
// with the backslash (0x5C) that the tests put after it (濬 E0 5C, 纊 FA 5C). Every rule agrees.
#include <string>
#include <utility>

inline const std::pair<std::string, bool> ShiftJisBytes[] = {
    {"\x80", false}, {"\x81", true}, {"\x9F", true}, {"\xA0", false}, {"\xDF", false},
    {"\xE0", true},  {"\xEA", true}, {"\xFA", true}, {"\xFC", true},  {"\xFD", false},
};
