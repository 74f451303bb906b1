// PhraseItem::OutputText: the text an item delivers, with its escapes expanded.
#include "data/PhraseItem.h"

namespace {

// Replaces every pattern by value. The search goes on after the inserted
// value, so a value that itself holds the pattern is inserted once.
void ReplaceAll(std::string& text, std::string_view pattern, const std::string& value)
{
    for (std::size_t at = text.find(pattern); at != std::string::npos;
         at = text.find(pattern, at + value.size())) {
        text.replace(at, pattern.size(), value);
    }
}

bool IsShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Turns the two bytes "\n" into CR LF in place. A backslash that is the
// second byte of a two-byte character (ソ, 表) is no escape.
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

std::string_view TextAfterMarker(std::string_view content)
{
    const bool marked = content.size() >= 3 && content[0] == ' ' && (content[1] == '+' || content[1] == '*');
    if (!marked)
        return content;
    const std::size_t p = content.find(" : ");
    return p == std::string_view::npos ? content.substr(2) : content.substr(p + 3);
}

} // namespace

std::string PhraseItem::OutputText() const
{
    if (flags & ItemVerbatim)
        return content;
    std::string text(TextAfterMarker(content));
    if (flags & ItemText) {
        ReplaceAll(text, "%%d", Platform().LongDate());
        ReplaceAll(text, "%%t", Platform().TimeOfDay());
        ExpandLineBreaks(text);
    }
    if (flags & ItemCommand)
        text.erase(0, text.find_first_not_of(' '));
    return text;
}
