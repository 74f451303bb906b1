#pragma once

#include <cstddef>

// Length of the longest prefix of text[0, length) that holds at most limit
// bytes and does not end between the two bytes of a Shift-JIS character.
std::size_t WholeCharacterPrefix(const char* text, std::size_t length, std::size_t limit);
