#include "data/HotkeyFile.h"

#include "data/HotkeyList.h"

std::uint8_t HotkeyFileReader::NextByte() {
    if (offset_ >= bytes_.size()) return 0;
    return static_cast<std::uint8_t>(bytes_[offset_++]);
}

HotkeyRecord HotkeyFileReader::Next() {
    HotkeyRecord record;
    record.virtualKey = NextByte();
    record.modifiers = NextByte();
    return record;
}

std::array<HotkeyRecord, 3> MenuHotkeyRecords(const HotkeyList& hotkeys) {
    std::array<HotkeyRecord, 3> records{};
    for (std::int32_t id = 0; id < 3; ++id)
        if (const HotkeyBinding* b = hotkeys.Find(id)) records[id] = {b->virtualKey, b->modifiers};
    return records;
}

std::string EncodeHotkeyFile(const std::array<HotkeyRecord, 3>& menuRecords,
                             const std::vector<HotkeyRecord>& lineRecords) {
    std::string bytes;
    bytes.reserve(2 * (menuRecords.size() + lineRecords.size()));
    auto put = [&bytes](const HotkeyRecord& r) {
        bytes += static_cast<char>(r.virtualKey);
        bytes += static_cast<char>(r.modifiers);
    };
    for (const HotkeyRecord& r : menuRecords) put(r);
    for (const HotkeyRecord& r : lineRecords) put(r);
    return bytes;
}

bool IsHotkeyFile(std::string_view bytes) {
    for (std::size_t i = 1; i < bytes.size(); i += 2)
        if (static_cast<std::uint8_t>(bytes[i]) > AllModifiers) return false;
    return true;
}
