#include "data/LineBreakEscape.h"

bool IsShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

void ExpandLineBreaks(std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (IsShiftJisLeadByte(static_cast<unsigned char>(text[i]))) {
            ++i;
        } else if (text[i] == '\\' && text[i + 1] == 'n') {
            text[i] = '\r';
            text[++i] = '\n';
        }
    }
}
