#pragma once
// The settings file "kwibra.ini" (two legacy hotkey lines, the options line,
// then one list line per entry) read and written together with "hkey.dat".
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "data/HotkeyFile.h"

struct AppSettings {
    std::int32_t tildeOnShiftZero = 0;
    std::int32_t historyLimit = 20;
    std::int32_t waitForKeyRelease = 1;
};

// One list line and the hotkey record that stands beside it in "hkey.dat".
struct SettingsLine {
    std::string_view text;
    HotkeyRecord hotkey;
};

// A list of lines: decoded, they view the bytes they were read from (a list
// of thirty thousand lines is not copied line by line); built in memory, they
// view texts of its own. Moved, never copied, so that the views stay valid.
struct DecodedSettings {
    DecodedSettings() = default;
    DecodedSettings(DecodedSettings&&) = default;
    DecodedSettings& operator=(DecodedSettings&&) = default;

    // A line with a text of its own, after the others.
    void Add(std::string text, HotkeyRecord hotkey) {
        texts.push_back(std::move(text));
        lines.push_back({texts.back(), hotkey});
    }

    std::array<HotkeyRecord, 3> menuHotkeys{};  // ids 0 main, 1 history, 2 phrase menu
    std::vector<SettingsLine> lines;            // in file order, without line ends

  private:
    std::deque<std::string> texts;  // where a deque grows, its texts stay where they are
};

struct EncodedSettings {
    std::string settingsBytes;
    std::string hkeyBytes;
};

// False for bytes that are no settings text: a NUL byte never stands in one.
bool IsSettingsText(std::string_view bytes);

// Reads both files; the options found in the settings file are applied over
// options, the others keep their values. The lines view settingsBytes, which
// must outlive them.
DecodedSettings DecodeSettings(std::string_view settingsBytes, std::string_view hkeyBytes,
                               AppSettings& options);

// The settings file. A line holding line breaks is written as one line with
// each break as the two bytes "\n".
std::string EncodeSettingsFile(const AppSettings& options, const std::vector<SettingsLine>& lines);

EncodedSettings EncodeSettings(const AppSettings& options, const std::array<HotkeyRecord, 3>& menuHotkeys,
                               const std::vector<SettingsLine>& lines);
