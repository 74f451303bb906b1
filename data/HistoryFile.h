#pragma once
// "clip.dat": little-endian signed 16-bit version (1) and count, then per
// entry a signed 16-bit length above 0 and that many bytes, oldest first.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class HistoryFileKind {
    Empty,     // zero bytes: an empty history
    Whole,     // ours and complete; a record of length 0 (older versions wrote it) ends the history
    CutShort,  // ours, but writing broke off inside a length field or a record before `count` records
    Foreign,   // 1 to 3 bytes, no positive version, a negative count or length, bytes after the last record
};
HistoryFileKind ClassifyHistoryFile(std::string_view bytes);

// The texts in file order; reading stops at the first record that cannot be
// read whole, so a CutShort file gives the whole records before the cut.
std::vector<std::string> DecodeHistory(std::string_view bytes);

// The one rule for which texts are written: empty texts and texts too long for
// the length field are left out; when more remain than the count field can
// hold, the newest are kept. sources[i] is the position in texts of record i.
struct HistoryRecords {
    std::string bytes;
    std::vector<std::size_t> sources;
};
HistoryRecords EncodeHistoryRecords(const std::vector<std::string_view>& texts);

std::string EncodeHistory(const std::vector<std::string>& texts);
