#pragma once
// How the clipboard is pasted into the focused window: the keys to press, or
// a command to post, chosen by window class. Consoles and several terminal
// programs do not paste on Ctrl+V. The user's rules come from "paste.txt";
// the program's own follow them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A way of pasting what is on the clipboard into a window.
struct PasteMethod {
    enum class Kind { Keys, Command };
    Kind kind = Kind::Keys;
    std::uint8_t modifiers = 2;     // Keys: MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4 (the bits of hkey.dat)
    std::uint8_t virtualKey = 'V';  // Keys: a Windows virtual-key code
    std::uint16_t command = 0;      // Command: the WM_COMMAND identifier posted to the top-level window
    // Only the fields of the method's kind count.
    bool operator==(const PasteMethod& other) const;
    bool operator!=(const PasteMethod& other) const { return !(*this == other); }
};

struct PasteRule {
    std::string windowClass;
    PasteMethod method;
};

struct UnreadablePasteRule {
    std::size_t lineNumber;  // 1-based
    std::string text;        // without its line end
};

struct PasteRuleFile {
    std::vector<PasteRule> rules;
    std::vector<UnreadablePasteRule> unreadable;
};

// "ctrl+v", "Shift+Insert", "alt+v", "ctrl+shift+v", "command 0xFFF1",
// "command 274"; nullopt otherwise.
std::optional<PasteMethod> ParsePasteMethod(std::string_view text);

// The user's rule file: one rule a line, window class, a tab, the method.
// Blank lines and lines whose first non-blank character is ';' are ignored.
// Lines end with LF or CR LF. A UTF-8 byte-order mark is skipped; a file that
// starts with FF FE is UTF-16LE.
PasteRuleFile ReadPasteRules(std::string_view bytes);

// The rules that come with the program.
const std::vector<PasteRule>& BuiltInPasteRules();

// The method for a focused control of class focusClass inside a top-level
// window of class topClass: the user's rules first, then the program's;
// within each, the control's class before the top-level window's. Class names
// compare without regard to ASCII case, as Windows compares them. No rule:
// Ctrl+V.
PasteMethod ChoosePasteMethod(const std::vector<PasteRule>& userRules, std::string_view focusClass,
                              std::string_view topClass);

// The file name beside kwibra.ini that holds the user's rules (the program
// only reads it).
inline constexpr const char* PasteRulesFileName = "paste.txt";
