#pragma once
// "clipw.dat", beside "clip.dat": the exact texts of the entries whose
// Shift-JIS form lost characters, so that "clip.dat" keeps its old layout and
// meaning for whatever else reads it. Little-endian:
//   "KWCW", u16 version 1, u32 size and u32 FNV-1a hash of the clip.dat bytes it belongs to,
//   u16 count, then per record u16 index of the entry in clip.dat (strictly ascending),
//   u16 length in UTF-16 code units (1..0xFFFF) and those code units; nothing after the last record.
// The length goes to 0xFFFF because a text outside the Basic Multilingual Plane is two code units for
// one '?' in clip.dat: every text whose Shift-JIS form fits clip.dat's 0x7FFF bytes fits here.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* HistoryCompanionFileName = "clipw.dat";

struct HistoryEntry {
    std::string shiftJis;                 // what clip.dat holds; never empty
    std::optional<std::u16string> exact;  // set only when the Shift-JIS form lost characters
};

inline bool operator==(const HistoryEntry& a, const HistoryEntry& b) {
    return a.shiftJis == b.shiftJis && a.exact == b.exact;
}

struct EncodedHistoryFiles {
    std::string clipBytes;
    std::string companionBytes;  // empty when no entry written has an exact text
};

// The entries oldest first, left out and kept by their Shift-JIS form as
// EncodeHistory does with texts; an exact text that is empty or too long for
// its length field is dropped and its entry kept. The companion's indexes
// refer to the records as written.
EncodedHistoryFiles EncodeHistoryFiles(const std::vector<HistoryEntry>& entries);

enum class CompanionStatus {
    Absent,      // no companion bytes
    Matched,     // its exact texts are in the entries
    Mismatched,  // written for other clip.dat bytes (size or hash differ): ignored
    Damaged,     // not of this layout, or naming an entry clip.dat does not hold: ignored
};

struct DecodedHistoryFiles {
    std::vector<HistoryEntry> entries;
    CompanionStatus companion = CompanionStatus::Absent;
};

// The entries are DecodeHistory's texts; only a Matched companion gives them exact texts.
DecodedHistoryFiles DecodeHistoryFiles(std::string_view clipBytes, std::string_view companionBytes);
