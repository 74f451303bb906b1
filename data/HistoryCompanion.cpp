#include "data/HistoryCompanion.h"

#include <cstdint>
#include <utility>

#include "data/HistoryFile.h"
#include "data/LittleEndian.h"

namespace {

constexpr std::string_view Magic = "KWCW";
constexpr std::uint32_t Version = 1;
constexpr std::size_t ExactLimit = 0xFFFF;

std::uint32_t Fnv1a(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes) hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
    return hash;
}

struct CompanionRecord {
    std::uint32_t index = 0;
    std::u16string exact;
};

struct Companion {
    std::uint32_t clipSize = 0;
    std::uint32_t clipHash = 0;
    std::vector<CompanionRecord> records;
};

std::optional<CompanionRecord> TakeRecord(std::string_view& bytes) {
    const std::optional<std::uint32_t> index = TakeLittleEndian(bytes, 2);
    const std::optional<std::uint32_t> length = TakeLittleEndian(bytes, 2);
    if (!index || !length || *length == 0 || bytes.size() / 2 < *length) return std::nullopt;
    CompanionRecord record{*index, std::u16string(*length, u'\0')};
    for (char16_t& unit : record.exact) unit = static_cast<char16_t>(*TakeLittleEndian(bytes, 2));
    return record;
}

// None for bytes that are not of the companion's layout.
std::optional<Companion> ParseCompanion(std::string_view bytes) {
    if (bytes.substr(0, Magic.size()) != Magic) return std::nullopt;
    bytes.remove_prefix(Magic.size());
    const std::optional<std::uint32_t> version = TakeLittleEndian(bytes, 2);
    const std::optional<std::uint32_t> size = TakeLittleEndian(bytes, 4);
    const std::optional<std::uint32_t> hash = TakeLittleEndian(bytes, 4);
    const std::optional<std::uint32_t> count = TakeLittleEndian(bytes, 2);
    if (!version || *version != Version || !size || !hash || !count) return std::nullopt;
    Companion companion{*size, *hash, {}};
    for (std::uint32_t i = 0; i < *count; ++i) {
        std::optional<CompanionRecord> record = TakeRecord(bytes);
        if (!record) return std::nullopt;
        if (!companion.records.empty() && record->index <= companion.records.back().index)
            return std::nullopt;
        companion.records.push_back(std::move(*record));
    }
    if (!bytes.empty()) return std::nullopt;
    return companion;
}

CompanionStatus ApplyCompanion(std::string_view clipBytes, std::string_view companionBytes,
                               std::vector<HistoryEntry>& entries) {
    if (companionBytes.empty()) return CompanionStatus::Absent;
    std::optional<Companion> companion = ParseCompanion(companionBytes);
    if (!companion) return CompanionStatus::Damaged;
    if (companion->clipSize != clipBytes.size() || companion->clipHash != Fnv1a(clipBytes))
        return CompanionStatus::Mismatched;
    if (!companion->records.empty() && companion->records.back().index >= entries.size())
        return CompanionStatus::Damaged;
    for (CompanionRecord& record : companion->records) entries[record.index].exact = std::move(record.exact);
    return CompanionStatus::Matched;
}

void AppendRecord(std::string& out, std::size_t index, const std::u16string& exact) {
    AppendLittleEndian(out, static_cast<std::uint32_t>(index), 2);
    AppendLittleEndian(out, static_cast<std::uint32_t>(exact.size()), 2);
    for (const char16_t unit : exact) AppendLittleEndian(out, unit, 2);
}

std::string CompanionHeader(std::string_view clipBytes, std::size_t count) {
    std::string header(Magic);
    AppendLittleEndian(header, Version, 2);
    AppendLittleEndian(header, static_cast<std::uint32_t>(clipBytes.size()), 4);
    AppendLittleEndian(header, Fnv1a(clipBytes), 4);
    AppendLittleEndian(header, static_cast<std::uint32_t>(count), 2);
    return header;
}

}  // namespace

EncodedHistoryFiles EncodeHistoryFiles(const std::vector<HistoryEntry>& entries) {
    std::vector<std::string_view> texts;
    texts.reserve(entries.size());
    for (const HistoryEntry& entry : entries) texts.push_back(entry.shiftJis);
    HistoryRecords clip = EncodeHistoryRecords(texts);

    std::string records;
    std::size_t count = 0;
    for (std::size_t index = 0; index < clip.sources.size(); ++index) {
        const std::optional<std::u16string>& exact = entries[clip.sources[index]].exact;
        if (!exact || exact->empty() || exact->size() > ExactLimit) continue;
        AppendRecord(records, index, *exact);
        ++count;
    }
    if (count == 0) return {std::move(clip.bytes), {}};
    std::string companion = CompanionHeader(clip.bytes, count) + records;
    return {std::move(clip.bytes), std::move(companion)};
}

DecodedHistoryFiles DecodeHistoryFiles(std::string_view clipBytes, std::string_view companionBytes) {
    DecodedHistoryFiles decoded;
    for (std::string& text : DecodeHistory(clipBytes)) decoded.entries.push_back({std::move(text), {}});
    decoded.companion = ApplyCompanion(clipBytes, companionBytes, decoded.entries);
    return decoded;
}
