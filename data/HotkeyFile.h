#pragma once
// "hkey.dat": two bytes (virtual key, modifiers) for each of the three menus
// and then for each list line of the settings file, no header.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class HotkeyList;

struct HotkeyRecord {
    std::uint8_t virtualKey = 0;  // 0: no hotkey
    std::uint8_t modifiers = 0;
    bool operator==(const HotkeyRecord& o) const {
        return virtualKey == o.virtualKey && modifiers == o.modifiers;
    }
    bool operator!=(const HotkeyRecord& o) const { return !(*this == o); }
};

// Reads records in file order; records past the end of the file read as
// zero, and so does a last record cut short (an odd last byte).
class HotkeyFileReader {
  public:
    explicit HotkeyFileReader(std::string_view bytes)
        : bytes_(bytes.substr(0, bytes.size() & ~std::size_t{1})) {}
    HotkeyRecord Next();

  private:
    std::uint8_t NextByte();
    std::string_view bytes_;
    std::size_t offset_ = 0;
};

// The records of the main (id 0), history (1) and phrase (2) menu hotkeys:
// the first binding with each id, or zeros.
std::array<HotkeyRecord, 3> MenuHotkeyRecords(const HotkeyList& hotkeys);

// MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4: no record of ours has another bit.
constexpr std::uint8_t AllModifiers = 7;

// False for bytes that cannot be records of ours: modifiers with bits the
// program never writes (a foreign or damaged file).
bool IsHotkeyFile(std::string_view bytes);

std::string EncodeHotkeyFile(const std::array<HotkeyRecord, 3>& menuRecords,
                             const std::vector<HotkeyRecord>& lineRecords);
