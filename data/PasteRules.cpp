#include "data/PasteRules.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <system_error>

namespace {

constexpr std::uint8_t ModAlt = 1;
constexpr std::uint8_t ModControl = 2;
constexpr std::uint8_t ModShift = 4;

// Windows virtual-key codes: VK_BACK, VK_TAB and so on; VK_PRIOR and VK_NEXT are Page Up and Page Down.
enum class VirtualKey : std::uint8_t {
    Back = 0x08,
    Tab = 0x09,
    Return = 0x0D,
    Escape = 0x1B,
    Space = 0x20,
    Prior = 0x21,
    Next = 0x22,
    End = 0x23,
    Home = 0x24,
    Left = 0x25,
    Up = 0x26,
    Right = 0x27,
    Down = 0x28,
    Insert = 0x2D,
    Delete = 0x2E,
    F1 = 0x70,  // F2 to F24 follow it
};
constexpr int FunctionKeyCount = 24;

struct KeyName {
    std::string_view name;
    VirtualKey key;
};

// Letters and digits are their upper-case ASCII codes; these are the others.
constexpr KeyName NamedKeys[] = {
    {"insert", VirtualKey::Insert}, {"ins", VirtualKey::Insert},     {"delete", VirtualKey::Delete},
    {"del", VirtualKey::Delete},    {"enter", VirtualKey::Return},   {"return", VirtualKey::Return},
    {"space", VirtualKey::Space},   {"tab", VirtualKey::Tab},        {"escape", VirtualKey::Escape},
    {"esc", VirtualKey::Escape},    {"backspace", VirtualKey::Back}, {"home", VirtualKey::Home},
    {"end", VirtualKey::End},       {"pageup", VirtualKey::Prior},   {"pagedown", VirtualKey::Next},
    {"up", VirtualKey::Up},         {"down", VirtualKey::Down},      {"left", VirtualKey::Left},
    {"right", VirtualKey::Right}};

// Windows registers no class name longer than this: a longer one never matches.
constexpr std::size_t ClassNameLimit = 256;

constexpr std::string_view Blanks = " \t";

std::string_view Trim(std::string_view text, std::string_view blanks = Blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

PasteMethod KeysMethod(std::uint8_t modifiers, std::uint8_t virtualKey) {
    PasteMethod method;
    method.modifiers = modifiers;
    method.virtualKey = virtualKey;
    return method;
}

PasteMethod CommandMethod(std::uint16_t command) {
    PasteMethod method;
    method.kind = PasteMethod::Kind::Command;
    method.modifiers = 0;
    method.virtualKey = 0;
    method.command = command;
    return method;
}

std::optional<std::uint8_t> ModifierBit(std::string_view name) {
    if (EqualsIgnoringCase(name, "ctrl") || EqualsIgnoringCase(name, "control")) return ModControl;
    if (EqualsIgnoringCase(name, "shift")) return ModShift;
    if (EqualsIgnoringCase(name, "alt")) return ModAlt;
    return std::nullopt;
}

// "f1" to "f24", without leading zeros.
std::optional<std::uint8_t> FunctionKey(std::string_view name) {
    if (name.size() < 2 || LowerAscii(name[0]) != 'f' || name[1] == '0') return std::nullopt;
    int number = 0;
    const char* end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(name.data() + 1, end, number);
    if (error != std::errc() || stop != end || number < 1 || number > FunctionKeyCount) return std::nullopt;
    return static_cast<std::uint8_t>(static_cast<int>(VirtualKey::F1) + number - 1);
}

std::optional<std::uint8_t> KeyNamed(std::string_view name) {
    if (name.size() == 1) {
        const char c = LowerAscii(name[0]);
        if (c >= 'a' && c <= 'z') return static_cast<std::uint8_t>(c - 'a' + 'A');
        if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c);
        return std::nullopt;
    }
    for (const KeyName& key : NamedKeys)
        if (EqualsIgnoringCase(name, key.name)) return static_cast<std::uint8_t>(key.key);
    return FunctionKey(name);
}

// Modifiers joined by '+', the key last.
std::optional<PasteMethod> ParseKeys(std::string_view text) {
    std::uint8_t modifiers = 0;
    for (std::size_t plus = text.find('+'); plus != std::string_view::npos; plus = text.find('+')) {
        const std::optional<std::uint8_t> bit = ModifierBit(Trim(text.substr(0, plus)));
        if (!bit) return std::nullopt;
        modifiers |= *bit;
        text.remove_prefix(plus + 1);
    }
    const std::optional<std::uint8_t> key = KeyNamed(Trim(text));
    if (!key) return std::nullopt;
    return KeysMethod(modifiers, *key);
}

// A decimal or 0x hexadecimal number from 1 to 0xFFFF and nothing else.
std::optional<PasteMethod> ParseCommand(std::string_view number) {
    const bool hex = number.size() > 2 && number[0] == '0' && LowerAscii(number[1]) == 'x';
    if (hex) number.remove_prefix(2);
    std::uint32_t value = 0;
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value, hex ? 16 : 10);
    if (error != std::errc() || stop != end || value == 0 || value > 0xFFFF) return std::nullopt;
    return CommandMethod(static_cast<std::uint16_t>(value));
}

std::optional<PasteRule> ParseRule(std::string_view line) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return std::nullopt;
    const std::string_view windowClass = Trim(line.substr(0, tab), " ");
    const std::optional<PasteMethod> method = ParsePasteMethod(line.substr(tab + 1));
    if (windowClass.empty() || windowClass.size() > ClassNameLimit || !method) return std::nullopt;
    return PasteRule{std::string(windowClass), *method};
}

// A line that lost characters when UTF-16 was narrowed cannot name the class it meant.
void ReadLine(std::string_view line, std::size_t lineNumber, bool lostCharacters, PasteRuleFile& file) {
    const std::string_view content = Trim(line);
    if (content.empty() || content[0] == ';') return;
    const std::optional<PasteRule> rule = lostCharacters ? std::nullopt : ParseRule(line);
    if (rule)
        file.rules.push_back(*rule);
    else
        file.unreadable.push_back({lineNumber, std::string(line)});
}

struct NarrowText {
    std::string bytes;
    std::vector<std::size_t> linesWithLosses;  // ascending
};

// UTF-16LE as single bytes: a character above 0x7F becomes '?'.
NarrowText NarrowUtf16(std::string_view units) {
    NarrowText text;
    text.bytes.reserve(units.size() / 2);
    std::size_t lineNumber = 1;
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        const unsigned low = static_cast<unsigned char>(units[i]);
        const unsigned high = static_cast<unsigned char>(units[i + 1]);
        const unsigned unit = low | high << 8;
        const bool ascii = unit < 0x80;
        text.bytes += ascii ? static_cast<char>(unit) : '?';
        if (!ascii && (text.linesWithLosses.empty() || text.linesWithLosses.back() != lineNumber))
            text.linesWithLosses.push_back(lineNumber);
        if (unit == '\n') ++lineNumber;
    }
    return text;
}

const PasteRule* FindRule(const std::vector<PasteRule>& rules, std::string_view windowClass) {
    for (const PasteRule& rule : rules)
        if (EqualsIgnoringCase(rule.windowClass, windowClass)) return &rule;
    return nullptr;
}

}  // namespace

bool PasteMethod::operator==(const PasteMethod& other) const {
    if (kind != other.kind) return false;
    if (kind == Kind::Command) return command == other.command;
    return modifiers == other.modifiers && virtualKey == other.virtualKey;
}

std::optional<PasteMethod> ParsePasteMethod(std::string_view text) {
    text = Trim(text);
    constexpr std::string_view CommandWord = "command";
    const bool isCommand = text.size() > CommandWord.size() &&
                           EqualsIgnoringCase(text.substr(0, CommandWord.size()), CommandWord) &&
                           Blanks.find(text[CommandWord.size()]) != std::string_view::npos;
    return isCommand ? ParseCommand(Trim(text.substr(CommandWord.size()))) : ParseKeys(text);
}

PasteRuleFile ReadPasteRules(std::string_view bytes) {
    NarrowText narrow;
    if (StartsWith(bytes, "\xFF\xFE")) {
        narrow = NarrowUtf16(bytes.substr(2));
        bytes = narrow.bytes;
    } else if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    PasteRuleFile file;
    auto nextLoss = narrow.linesWithLosses.begin();
    for (std::size_t lineNumber = 1; !bytes.empty(); ++lineNumber) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const bool lost = nextLoss != narrow.linesWithLosses.end() && *nextLoss == lineNumber;
        if (lost) ++nextLoss;
        ReadLine(line, lineNumber, lost, file);
    }
    return file;
}

const std::vector<PasteRule>& BuiltInPasteRules() {
    static const std::vector<PasteRule> rules = {
        // The console host's window menu, Edit > Paste.
        {"ConsoleWindowClass", CommandMethod(0xFFF1)},
        // The console of the compatibility layer the tests run on, Edit > Paste.
        {"WineConsoleClass", CommandMethod(0x112)},
        // Terminal programs that send Ctrl+V on to the program they run and paste on Shift+Insert.
        {"PuTTY", KeysMethod(ModShift, static_cast<std::uint8_t>(VirtualKey::Insert))},
        {"PuTTYtel", KeysMethod(ModShift, static_cast<std::uint8_t>(VirtualKey::Insert))},
        {"mintty", KeysMethod(ModShift, static_cast<std::uint8_t>(VirtualKey::Insert))},
        {"VTWin32", KeysMethod(ModShift, static_cast<std::uint8_t>(VirtualKey::Insert))},
    };
    return rules;
}

PasteMethod ChoosePasteMethod(const std::vector<PasteRule>& userRules, std::string_view focusClass,
                              std::string_view topClass) {
    for (const std::vector<PasteRule>* rules : {&userRules, &BuiltInPasteRules()})
        for (const std::string_view windowClass : {focusClass, topClass})
            if (const PasteRule* rule = FindRule(*rules, windowClass)) return rule->method;
    return PasteMethod{};
}
