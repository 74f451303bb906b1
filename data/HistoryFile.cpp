#include "data/HistoryFile.h"

#include <cstdint>
#include <optional>

#include "data/LittleEndian.h"

namespace {

constexpr std::size_t FieldLimit = 0x7FFF;

std::optional<std::int16_t> TakeInt16(std::string_view& bytes) {
    const std::optional<std::uint32_t> field = TakeLittleEndian(bytes, 2);
    if (!field) return std::nullopt;
    const int value = static_cast<int>(*field);
    return static_cast<std::int16_t>(value >= 0x8000 ? value - 0x10000 : value);
}

// Takes the whole records from the front of bytes into texts and tells what kind of file they came from.
HistoryFileKind TakeRecords(std::string_view bytes, std::vector<std::string_view>& texts) {
    if (bytes.empty()) return HistoryFileKind::Empty;
    const std::optional<std::int16_t> version = TakeInt16(bytes);
    const std::optional<std::int16_t> count = TakeInt16(bytes);
    if (!version || *version <= 0 || !count || *count < 0) return HistoryFileKind::Foreign;
    for (int i = 0; i < *count; ++i) {
        const std::optional<std::int16_t> length = TakeInt16(bytes);
        if (!length) return HistoryFileKind::CutShort;
        if (*length < 0) return HistoryFileKind::Foreign;
        if (*length == 0) return HistoryFileKind::Whole;
        if (bytes.size() < static_cast<std::size_t>(*length)) return HistoryFileKind::CutShort;
        texts.push_back(bytes.substr(0, *length));
        bytes.remove_prefix(*length);
    }
    return bytes.empty() ? HistoryFileKind::Whole : HistoryFileKind::Foreign;
}

}  // namespace

HistoryFileKind ClassifyHistoryFile(std::string_view bytes) {
    std::vector<std::string_view> texts;
    return TakeRecords(bytes, texts);
}

std::vector<std::string> DecodeHistory(std::string_view bytes) {
    std::vector<std::string_view> texts;
    TakeRecords(bytes, texts);
    return {texts.begin(), texts.end()};
}

HistoryRecords EncodeHistoryRecords(const std::vector<std::string_view>& texts) {
    HistoryRecords records;
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (!texts[i].empty() && texts[i].size() <= FieldLimit) records.sources.push_back(i);
    if (records.sources.size() > FieldLimit)
        records.sources.erase(records.sources.begin(), records.sources.end() - FieldLimit);

    AppendLittleEndian(records.bytes, 1, 2);
    AppendLittleEndian(records.bytes, static_cast<std::uint32_t>(records.sources.size()), 2);
    for (const std::size_t source : records.sources) {
        AppendLittleEndian(records.bytes, static_cast<std::uint32_t>(texts[source].size()), 2);
        records.bytes += texts[source];
    }
    return records;
}

std::string EncodeHistory(const std::vector<std::string>& texts) {
    return EncodeHistoryRecords({texts.begin(), texts.end()}).bytes;
}
