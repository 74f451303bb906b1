// PhraseItem::OutputText: the text an item delivers, with its escapes expanded.
#include "data/PhraseItem.h"

#include "data/LineBreakEscape.h"

namespace {

// Replaces every pattern by value. The search goes on after the inserted
// value, so a value that itself holds the pattern is inserted once.
void ReplaceAll(std::string& text, std::string_view pattern, const std::string& value) {
    for (std::size_t at = text.find(pattern); at != std::string::npos;
         at = text.find(pattern, at + value.size())) {
        text.replace(at, pattern.size(), value);
    }
}

std::string_view TextAfterMarker(std::string_view content) {
    const bool marked = content.size() >= 3 && content[0] == ' ' && (content[1] == '+' || content[1] == '*');
    if (!marked) return content;
    const std::size_t p = content.find(" : ");
    return p == std::string_view::npos ? content.substr(2) : content.substr(p + 3);
}

}  // namespace

std::string PhraseItem::OutputText() const {
    if (flags & ItemVerbatim) return content;
    std::string text(TextAfterMarker(content));
    if (flags & ItemText) {
        ReplaceAll(text, "%%d", Platform().LongDate());
        ReplaceAll(text, "%%t", Platform().TimeOfDay());
        ExpandLineBreaks(text);
    }
    if (flags & ItemCommand) text.erase(0, text.find_first_not_of(' '));
    return text;
}
