#pragma once
// Hotkey control values (virtual key in the low byte, HOTKEYF_ flags in the
// high byte) and the MOD_ flags of global hotkeys.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>

// HOTKEYF_EXT has no MOD_ counterpart and is dropped.
constexpr std::uint8_t ModifiersFromHotkeyFlags(std::uint8_t flags) {
    return static_cast<std::uint8_t>(((flags & HOTKEYF_SHIFT) ? MOD_SHIFT : 0) |
                                     ((flags & HOTKEYF_CONTROL) ? MOD_CONTROL : 0) |
                                     ((flags & HOTKEYF_ALT) ? MOD_ALT : 0));
}

constexpr std::uint8_t HotkeyFlagsFromModifiers(std::uint8_t modifiers) {
    return static_cast<std::uint8_t>(((modifiers & MOD_ALT) ? HOTKEYF_ALT : 0) |
                                     ((modifiers & MOD_CONTROL) ? HOTKEYF_CONTROL : 0) |
                                     ((modifiers & MOD_SHIFT) ? HOTKEYF_SHIFT : 0));
}

// The HKM_SETHOTKEY value of a key and MOD_ flags.
constexpr WORD HotkeyControlValue(std::uint8_t virtualKey, std::uint8_t modifiers) {
    return static_cast<WORD>(virtualKey | (HotkeyFlagsFromModifiers(modifiers) << 8));
}

constexpr std::uint8_t VirtualKeyOf(WORD value) { return static_cast<std::uint8_t>(value & 0xFF); }

constexpr std::uint8_t ModifiersOf(WORD value) {
    return ModifiersFromHotkeyFlags(static_cast<std::uint8_t>(value >> 8));
}
