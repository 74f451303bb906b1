#pragma once
// Unsigned little-endian fields of the binary files.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Takes a field of `size` bytes (at most 4) from the front of bytes; none when fewer remain.
inline std::optional<std::uint32_t> TakeLittleEndian(std::string_view& bytes, std::size_t size) {
    if (bytes.size() < size) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = value << 8 | static_cast<std::uint8_t>(bytes[i]);
    bytes.remove_prefix(size);
    return value;
}

inline void AppendLittleEndian(std::string& out, std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) out += static_cast<char>(value >> 8 * i & 0xFF);
}
