#include "data/HistoryFile.h"

#include <cstdint>
#include <algorithm>
#include <optional>

namespace {

constexpr std::size_t FieldLimit = 0x7FFF;

std::optional<std::int16_t> ReadInt16(std::string_view& bytes) {
    if (bytes.size() < 2) return std::nullopt;
    const int value = static_cast<std::uint8_t>(bytes[0]) | static_cast<std::uint8_t>(bytes[1]) << 8;
    bytes.remove_prefix(2);
    return static_cast<std::int16_t>(value >= 0x8000 ? value - 0x10000 : value);
}

void AppendInt16(std::string& out, std::size_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

}  // namespace

std::vector<std::string> DecodeHistory(std::string_view bytes) {
    std::vector<std::string> texts;
    const std::optional<std::int16_t> version = ReadInt16(bytes);
    if (!version || *version <= 0) return texts;
    const std::optional<std::int16_t> count = ReadInt16(bytes);
    for (int i = 0; count && i < *count; ++i) {
        const std::optional<std::int16_t> length = ReadInt16(bytes);
        if (!length || *length <= 0 || bytes.size() < static_cast<std::size_t>(*length)) break;
        texts.emplace_back(bytes.substr(0, *length));
        bytes.remove_prefix(*length);
    }
    return texts;
}

bool IsHistoryFile(std::string_view bytes) {
    const std::optional<std::int16_t> version = ReadInt16(bytes);
    const std::optional<std::int16_t> count = ReadInt16(bytes);
    if (!version || *version <= 0 || !count || *count < 0) return false;
    for (int i = 0; i < *count; ++i) {
        const std::optional<std::int16_t> length = ReadInt16(bytes);
        if (!length || bytes.size() < static_cast<std::size_t>(std::max<std::int16_t>(*length, 0)))
            return false;
        if (*length <= 0) return true;
        bytes.remove_prefix(*length);
    }
    return bytes.empty();
}

std::string EncodeHistory(const std::vector<std::string>& texts) {
    std::vector<const std::string*> kept;
    for (const std::string& text : texts)
        if (!text.empty() && text.size() <= FieldLimit) kept.push_back(&text);
    const std::size_t first = kept.size() > FieldLimit ? kept.size() - FieldLimit : 0;

    std::string out;
    AppendInt16(out, 1);
    AppendInt16(out, kept.size() - first);
    for (std::size_t i = first; i < kept.size(); ++i) {
        AppendInt16(out, kept[i]->size());
        out += *kept[i];
    }
    return out;
}
