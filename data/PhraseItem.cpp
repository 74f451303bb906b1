#include "data/PhraseItem.h"

#include <array>

#include "data/ShiftJis.h"
#include "data/Utf16.h"

namespace {

constexpr std::string_view LabelSeparator = " : ";

// TAB as eight spaces, line breaks as the two bytes "\n", other control bytes as spaces.
std::string Normalise(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            out.append(8, ' ');
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < line.size() && line[i + 1] == '\n') ++i;
            out += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

// Cuts a long label to LabelLimit bytes and marks the cut with "...", never
// leaving the first byte of a two-byte character without its second byte.
void Shorten(std::string& label) {
    if (label.size() < PhraseItem::LabelLimit) return;
    label.resize(PhraseItem::LabelLimit);
    std::size_t i = 0;
    while (i < label.size()) i += IsShiftJisLeadByte(static_cast<unsigned char>(label[i])) ? 2 : 1;
    if (i > label.size()) {
        label.back() = '.';
        label += "..";
    } else {
        label += "...";
    }
}

// Normalise and Shorten for a text in UTF-16: a character counts two bytes
// unless it is ASCII or half-width katakana, as in Shift-JIS.
std::size_t Width(char16_t c) { return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2; }

std::u16string ExactLabel(std::u16string_view text) {
    std::u16string label;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\t') {
            label.append(8, u' ');
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            label += u"\\n";
        } else {
            label += c < 0x20 ? u' ' : c;
        }
    }
    std::size_t width = 0;
    std::size_t keep = 0;
    const std::u16string_view characters = label;
    for (std::size_t i = 0; i < characters.size(); i += CharacterUnits(characters, i)) {
        width += Width(characters[i]);
        if (width <= PhraseItem::LabelLimit) keep = i + CharacterUnits(characters, i);
    }
    if (width < PhraseItem::LabelLimit) return label;
    label.resize(keep);
    return label + u"...";
}

bool MentionsWebAddress(std::string_view content) {
    static constexpr std::array<std::string_view, 8> prefixes = {
        "http://", "https:", "ftp:", "telnet:", "mailto:", "news:", "RLogin:", "Snews:"};
    for (std::string_view prefix : prefixes)
        if (content.find(prefix) != std::string_view::npos) return true;
    return false;
}

}  // namespace

void PhraseItem::Parse(std::string_view line, bool fromClipboard) {
    // A re-parsed record resolves its icon and measures its text afresh.
    measured.fontGeneration = 0;
    iconHandle = 0;
    iconIndex = 0;
    iconState = -1;
    content = Normalise(line);
    flags = ItemText;
    label = content;

    if (!fromClipboard && content.size() >= 3 && content[0] == ' ') {
        if (content[1] == '*') flags = ItemCommand;
        if (content[1] == '+' || content[1] == '*') {
            std::string_view target = std::string_view(content).substr(2);
            const std::size_t p = content.find(LabelSeparator);
            if (p != std::string::npos) {
                target = std::string_view(content).substr(p + LabelSeparator.size());
                label = content.substr(0, p);
                flags |= ItemSeparateLabel;
            }
            ResolveIcon(target);
            if (HasIcon()) label.erase(0, label.find_first_not_of(' ', 2));
        } else if (content[1] == '-') {
            flags = ItemVerbatim | ItemSeparateLabel;
            content.assign(line);
            label.assign(line.substr(2));
        }
    }

    Shorten(label);

    if (fromClipboard) {
        content.assign(line);
        flags |= ItemVerbatim | ItemSeparateLabel;
    }
    if (label == content)
        label.clear();
    else
        flags |= ItemSeparateLabel;
    ResolveIcon();
}

void PhraseItem::ResolveIcon(std::optional<std::string_view> target) {
    if (iconState == 0) return;
    iconHandle = 0;
    if ((flags & ItemText) && (flags & ItemSeparateLabel)) {
        SetFixedIcon(LabelIcon);
        return;
    }
    if (flags & ItemVerbatim) {
        SetIconFromPath(Platform().CurrentDirectory());
        return;
    }
    if (!(flags & ItemCommand)) return;

    std::string_view path = std::string_view(content).substr(content.size() < 2 ? content.size() : 2);
    if (target) {
        path = *target;
    } else if (flags & ItemSeparateLabel) {
        const std::size_t p = content.find(LabelSeparator);
        if (p != std::string::npos) path = std::string_view(content).substr(p + LabelSeparator.size());
    }
    const std::size_t start = path.find_first_not_of(' ');
    SetIconFromPath(std::string(start == std::string_view::npos ? std::string_view() : path.substr(start)));
    if (!HasIcon() && MentionsWebAddress(content)) SetIconFromPath("new.url");
}

void PhraseItem::SetFixedIcon(IconHandle icon) {
    iconHandle = icon;
    iconState = icon ? 0 : -1;
}

void PhraseItem::SetIconFromPath(const std::string& path) {
    const ShellIcon icon = Platform().IconForPath(path, iconSize);
    const bool found = icon.imageList != 0 && icon.imageCount > 0;
    iconHandle = found ? icon.imageList : 0;
    iconIndex = found ? icon.index : 0;
    iconState = found ? icon.imageCount : 0;
}

void PhraseItem::SetExactText(std::u16string text) {
    measured.fontGeneration = 0;
    exact = std::make_unique<ExactText>();
    exact->label = ExactLabel(text);
    exact->text = std::move(text);
}

bool PhraseItem::SameText(std::string_view shiftJis, const std::u16string* exactText) const {
    return content == shiftJis && (exact ? exactText && exact->text == *exactText : !exactText);
}
