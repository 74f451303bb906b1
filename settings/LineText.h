#pragma once
// The phrase-line text rules of the settings dialog, free of windows: the
// line-break escape, composing a line from its separate fields and taking it
// apart again, and the command line made from a file path.
#include <optional>
#include <string>
#include <string_view>

#include "data/LineBreakEscape.h"

// CR LF, a lone LF and a lone CR each become the two bytes backslash and n.
std::string EscapeLineBreaks(std::string_view text);
// Backslash and n become CR LF; a backslash that ends a two-byte character
// stays as it is.
std::string UnescapeLineBreaks(std::string_view text);

// Lines exactly "---" (separator) or "-->" (column break): they carry no hotkey.
bool IsSeparatorOrBreak(std::string_view line);
// Lines longer than two bytes that begin with " *" or " -" keep their
// backslash-n as it stands when the input mode changes: it is part of a path
// or of a menu name, not a line break.
bool KeepsEscapes(std::string_view line);

// Item kinds of the separate input mode, in the order of combo box 1034.
enum class ItemKind { Text = 0, Command = 1, Separator = 2, ColumnBreak = 3, Section = 4 };

// What the separate-mode fields show for a line.
struct LineParts {
    ItemKind kind = ItemKind::Text;
    std::string display;
    // None for a section line: the content field keeps its text (read-only).
    std::optional<std::string> content;
};
LineParts DecomposeLineText(std::string_view line);

// The line of a text, command or section item made from display text D and
// content text V. A text item whose D equals V (and is no separator or
// column break) is V alone.
std::string ComposeLineText(ItemKind kind, std::string_view display, std::string_view content);
// A text item written as V alone, without " +" and " : ".
bool IsPlainText(std::string_view display, std::string_view content);
// "---" for a separator, "-->" for a column break.
std::string_view MarkLine(ItemKind kind);

// The command line that launches path: " * ", the file name without its
// extension, " : " and the path; memoPrefix and the path when the path has no
// extension or no directory before its last ".".
std::string CommandLineForPath(std::string_view path, std::string_view memoPrefix);
