#include "settings/LineText.h"

#include "data/LineBreakEscape.h"

std::string EscapeLineBreaks(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            escaped += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        escaped += "\\n";
    }
    return escaped;
}

std::string UnescapeLineBreaks(std::string_view text) {
    std::string plain(text);
    ExpandLineBreaks(plain);
    return plain;
}

bool IsSeparatorOrBreak(std::string_view line) { return line == "---" || line == "-->"; }

bool KeepsEscapes(std::string_view line) {
    return line.size() > 2 && line[0] == ' ' && (line[1] == '*' || line[1] == '-');
}

LineParts DecomposeLineText(std::string_view line) {
    LineParts parts;
    const bool marked =
        line.size() >= 2 && line[0] == ' ' && (line[1] == '*' || line[1] == '+' || line[1] == '-');
    if (!marked) {
        parts.kind = line == "---"   ? ItemKind::Separator
                     : line == "-->" ? ItemKind::ColumnBreak
                                     : ItemKind::Text;
        parts.display = std::string(line);
        parts.content = std::string(line);
        return parts;
    }
    const std::string_view rest = line.substr(2);
    if (line[1] == '-') {
        parts.kind = ItemKind::Section;
        parts.display = std::string(rest);
        return parts;
    }
    parts.kind = line[1] == '*' ? ItemKind::Command : ItemKind::Text;
    const std::size_t colon = line.find(" : ");
    if (colon == std::string_view::npos) {
        parts.display = std::string(rest);
        parts.content = std::string(rest);
    } else {
        parts.display = std::string(line.substr(2, colon - 2));
        parts.content = std::string(line.substr(colon + 3));
    }
    return parts;
}

bool IsPlainText(std::string_view display, std::string_view content) {
    return display == content && !IsSeparatorOrBreak(content);
}

std::string ComposeLineText(ItemKind kind, std::string_view display, std::string_view content) {
    std::string line;
    switch (kind) {
        case ItemKind::Text:
            if (IsPlainText(display, content)) return std::string(content);
            line = " +";
            break;
        case ItemKind::Command:
            line = " *";
            if (display == content) return line.append(content);
            break;
        case ItemKind::Section:
            return line.append(" -").append(display);
        case ItemKind::Separator:
        case ItemKind::ColumnBreak:
            return std::string(MarkLine(kind));
    }
    return line.append(display).append(" : ").append(content);
}

std::string_view MarkLine(ItemKind kind) { return kind == ItemKind::ColumnBreak ? "-->" : "---"; }

std::string CommandLineForPath(std::string_view path, std::string_view memoPrefix) {
    // "." is never the second byte of a two-byte character; "\" may be, so
    // the separator is looked for by characters.
    const std::size_t dot = path.rfind('.');
    std::size_t separator = std::string_view::npos;
    if (dot != std::string_view::npos && dot > 0) {
        for (std::size_t i = 0; i < dot; ++i) {
            const char c = path[i];
            if ((c == '\\' || c == '/') && i >= 1)
                separator = i;
            else if (IsShiftJisLeadByte(static_cast<unsigned char>(c)))
                ++i;
        }
    }
    if (separator == std::string_view::npos) return std::string(memoPrefix).append(path);
    std::string line = " * ";
    line.append(path.substr(separator + 1, dot - separator - 1));
    return line.append(" : ").append(path);
}
