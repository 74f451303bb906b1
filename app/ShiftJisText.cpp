#include "app/ShiftJisText.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "data/Utf16.h"

namespace {

constexpr UINT ShiftJis = 932;

int Length(std::size_t size) { return static_cast<int>(std::min<std::size_t>(size, INT_MAX)); }

}  // namespace

std::string ToShiftJis(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(ShiftJis, WC_NO_BEST_FIT_CHARS, text.data(), Length(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(ShiftJis, WC_NO_BEST_FIT_CHARS, text.data(), Length(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring FromShiftJis(std::string_view text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(ShiftJis, 0, text.data(), Length(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(ShiftJis, 0, text.data(), Length(text.size()), out.data(), size);
    return out;
}

bool ShiftJisHolds(std::wstring_view text) { return FromShiftJis(ToShiftJis(text)) == text; }

std::wstring_view FittingShiftJis(std::wstring_view text, std::size_t limit) {
    // Every code unit takes at least a byte: a long text is not converted whole.
    if (text.size() <= limit && ToShiftJis(text).size() <= limit) return text;
    std::size_t end = 0;
    for (std::size_t bytes = 0, i = 0; i < text.size(); i = end) {
        const std::size_t units = CharacterUnits(text, i);
        bytes += ToShiftJis(text.substr(i, units)).size();
        if (bytes > limit) break;
        end = i + units;
    }
    return text.substr(0, end);
}

std::vector<std::string> CharactersLost(std::wstring_view text) {
    std::vector<std::string> lost;
    for (std::size_t i = 0; i < text.size(); i += CharacterUnits(text, i)) {
        const std::wstring_view character = text.substr(i, CharacterUnits(text, i));
        if (ShiftJisHolds(character)) continue;
        const unsigned long code =
            character.size() == 2 ? 0x10000 + ((character[0] - 0xD800UL) << 10) + (character[1] - 0xDC00UL)
                                  : static_cast<unsigned long>(character[0]);
        char name[16];
        std::snprintf(name, sizeof name, "U+%04lX", code);
        if (std::find(lost.begin(), lost.end(), name) == lost.end()) lost.emplace_back(name);
    }
    return lost;
}
