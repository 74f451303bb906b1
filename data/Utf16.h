#pragma once
// UTF-16 text character by character: a surrogate pair is one character.
#include <cstddef>
#include <string_view>

// The code units of the character at i: two for a high surrogate followed by a low one, else one.
template <typename Char>
std::size_t CharacterUnits(std::basic_string_view<Char> text, std::size_t i) {
    const auto unit = [&text](std::size_t at) { return static_cast<unsigned>(text[at]); };
    const bool pair = unit(i) >= 0xD800 && unit(i) < 0xDC00 && i + 1 < text.size() && unit(i + 1) >= 0xDC00 &&
                      unit(i + 1) < 0xE000;
    return pair ? 2 : 1;
}
