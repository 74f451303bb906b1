#include "data/SettingsFile.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// Lines end at LF and keep a CR before it. Returns false for the text after
// the last LF, which is no complete line.
bool NextLine(std::string_view& text, std::string_view& line) {
    const std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos) {
        line = text;
        text = {};
        return false;
    }
    line = text.substr(0, lf);
    text.remove_prefix(lf + 1);
    return true;
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A decimal integer after optional white space and sign, consumed from rest.
// Values beyond 32 bits saturate; without digits nothing is consumed.
std::optional<std::int32_t> ReadInt(std::string_view& rest) {
    std::size_t i = 0;
    while (i < rest.size() && IsSpace(rest[i])) ++i;
    const bool negative = i < rest.size() && rest[i] == '-';
    if (i < rest.size() && (rest[i] == '-' || rest[i] == '+')) ++i;
    const std::size_t digits = i;
    std::int64_t value = 0;
    for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i)
        value = std::min<std::int64_t>(value * 10 + (rest[i] - '0'), std::int64_t{1} << 32);
    if (i == digits) return std::nullopt;
    rest.remove_prefix(i);
    value = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::int32_t LeadingInt(std::string_view line) { return ReadInt(line).value_or(0); }

void ApplyOptionsLine(std::string_view line, AppSettings& options, std::int32_t& legacyTarget) {
    options.tildeOnShiftZero = line[0] - '0';
    if (line.size() < 2 || line[1] != '\t') return;
    std::string_view rest = line.substr(2);
    const std::optional<std::int32_t> limit = ReadInt(rest);
    options.historyLimit = limit && *limit > 0 ? *limit : 20;
    legacyTarget = ReadInt(rest).value_or(legacyTarget);
    options.waitForKeyRelease = ReadInt(rest).value_or(options.waitForKeyRelease);
}

void AppendAsOneLine(std::string& out, std::string_view text) {
    const auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
    for (auto brk = std::find_if(text.begin(), text.end(), isBreak); brk != text.end();
         brk = std::find_if(text.begin(), text.end(), isBreak)) {
        const std::size_t at = static_cast<std::size_t>(brk - text.begin());
        out.append(text.substr(0, at));
        out += "\\n";
        const bool pair = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
        text.remove_prefix(at + (pair ? 2 : 1));
    }
    out.append(text);
}

}  // namespace

bool IsSettingsText(std::string_view bytes) { return bytes.find('\0') == std::string_view::npos; }

DecodedSettings DecodeSettings(std::string_view settingsBytes, std::string_view hkeyBytes,
                               AppSettings& options) {
    DecodedSettings result;
    std::string_view text = settingsBytes;
    std::string_view line;
    if (!NextLine(text, line)) return result;
    const std::int32_t legacyKey = LeadingInt(line);
    NextLine(text, line);
    const std::int32_t legacyModifiers = LeadingInt(line);
    std::int32_t legacyTarget = 2;

    const bool thirdLineComplete = NextLine(text, line);
    const bool isOptionsLine = !line.empty() && (line[0] == '0' || line[0] == '1');
    if (isOptionsLine) ApplyOptionsLine(line, options, legacyTarget);

    HotkeyFileReader hotkeys(hkeyBytes);
    for (std::int32_t id = 0; id < 3; ++id) {
        result.menuHotkeys[id] = hotkeys.Next();
        if (id == legacyTarget)
            result.menuHotkeys[id] = {static_cast<std::uint8_t>(legacyKey),
                                      static_cast<std::uint8_t>(legacyModifiers & AllModifiers)};
    }

    result.lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    auto addLine = [&](std::string_view listLine) {
        if (!listLine.empty() && listLine.back() == '\r') listLine.remove_suffix(1);
        result.lines.push_back({listLine, hotkeys.Next()});
    };
    if (!isOptionsLine && thirdLineComplete) addLine(line);
    while (NextLine(text, line)) addLine(line);
    return result;
}

std::string EncodeSettingsFile(const AppSettings& options, const std::vector<SettingsLine>& lines) {
    std::string out = "0\r\n0\r\n";
    out += options.tildeOnShiftZero ? '1' : '0';
    out += '\t' + std::to_string(options.historyLimit) + "\t-1\t" +
           std::to_string(options.waitForKeyRelease) + "\r\n";
    std::size_t size = out.size();
    for (const SettingsLine& line : lines) size += line.text.size() + 2;
    out.reserve(size);
    for (const SettingsLine& line : lines) {
        AppendAsOneLine(out, line.text);
        out += "\r\n";
    }
    return out;
}

EncodedSettings EncodeSettings(const AppSettings& options, const std::array<HotkeyRecord, 3>& menuHotkeys,
                               const std::vector<SettingsLine>& lines) {
    std::vector<HotkeyRecord> lineRecords;
    lineRecords.reserve(lines.size());
    for (const SettingsLine& line : lines) lineRecords.push_back(line.hotkey);
    return {EncodeSettingsFile(options, lines), EncodeHotkeyFile(menuHotkeys, lineRecords)};
}
