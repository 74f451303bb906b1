#pragma once
// "clip.dat": little-endian signed 16-bit version (1) and count, then per
// entry a signed 16-bit length above 0 and that many bytes, oldest first.
#include <string>
#include <string_view>
#include <vector>

// The texts in file order; reading stops at the first record that cannot be read whole.
std::vector<std::string> DecodeHistory(std::string_view bytes);

// False for bytes that the program did not write: no positive version or
// count, a record cut off, or bytes after the last record. A record of
// length 0 (from older versions) ends the history without making it damaged.
bool IsHistoryFile(std::string_view bytes);

// Empty texts and texts too long for the length field are left out; when
// more texts remain than the count field can hold, the newest are kept.
std::string EncodeHistory(const std::vector<std::string>& texts);
