#include "data/LineBreakEscape.h"

void ExpandLineBreaks(std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (IsShiftJisLeadByte(static_cast<unsigned char>(text[i]))) {
            ++i;
        } else if (text[i] == '\\' && text[i + 1] == 'n') {
            text[i] = '\r';
            text[++i] = '\n';
        }
    }
}
