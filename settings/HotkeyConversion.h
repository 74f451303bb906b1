#pragma once
// Hotkey control values (virtual key in the low byte, HOTKEYF_ flags in the
// high byte) and the MOD_ flags of global hotkeys.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <utility>

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

// A hotkey as the hotkey control writes it, in the system's key names:
// "Ctrl + Alt + A" (some systems name the keys "Control" and so on).
inline std::string HotkeyName(std::uint8_t virtualKey, std::uint8_t modifiers) {
    const auto keyName = [](UINT key) {
        char name[64] = {};
        GetKeyNameTextA(static_cast<LONG>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC) << 16), name, sizeof name);
        return std::string(name);
    };
    std::string text;
    for (const auto& [modifier, key] :
         {std::pair{MOD_CONTROL, VK_CONTROL}, {MOD_SHIFT, VK_SHIFT}, {MOD_ALT, VK_MENU}})
        if (modifiers & modifier) text += keyName(key) + " + ";
    return text + keyName(virtualKey);
}
