#include "AnsiText.h"

#include "data/ShiftJis.h"

std::size_t WholeCharacterPrefix(const char* text, std::size_t length, std::size_t limit) {
    std::size_t position = 0;
    while (position < length) {
        const bool lead =
            IsShiftJisLeadByte(static_cast<unsigned char>(text[position])) && position + 1 < length;
        const std::size_t next = position + (lead ? 2 : 1);
        if (next > limit) break;
        position = next;
    }
    return position;
}
