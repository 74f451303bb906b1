// The settings decoder on any pair of files. The first byte gives the length
// of the "hkey.dat" part; the rest is the settings file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/SettingsFile.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool SameOptions(const AppSettings& a, const AppSettings& b)
{
    return a.tildeOnShiftZero == b.tildeOnShiftZero && a.historyLimit == b.historyLimit &&
           a.waitForKeyRelease == b.waitForKeyRelease;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t hkeySize = data[0] < size - 1 ? data[0] : size - 1;
    const std::string_view hkey(reinterpret_cast<const char*>(data + 1), hkeySize);
    const std::string_view text(reinterpret_cast<const char*>(data + 1 + hkeySize), size - 1 - hkeySize);

    AppSettings options;
    const DecodedSettings first = DecodeSettings(text, hkey, options);
    Check(options.historyLimit > 0);
    Check(options.tildeOnShiftZero == 0 || options.tildeOnShiftZero == 1);
    for (const SettingsLine& line : first.lines)
        Check(line.text.find('\n') == std::string::npos);

    // Written and read back, every line, hotkey and option returns; a line
    // holding CR comes back with "\n" in its place, and from then on stays.
    const EncodedSettings written = EncodeSettings(options, first.menuHotkeys, first.lines);
    Check(written.hkeyBytes.size() == 6 + 2 * first.lines.size());
    AppSettings reread;
    const DecodedSettings second = DecodeSettings(written.settingsBytes, written.hkeyBytes, reread);
    Check(SameOptions(options, reread));
    Check(second.menuHotkeys == first.menuHotkeys);
    Check(second.lines.size() == first.lines.size());
    for (std::size_t i = 0; i < first.lines.size(); ++i) {
        Check(second.lines[i].hotkey == first.lines[i].hotkey);
        if (first.lines[i].text.find('\r') == std::string::npos)
            Check(second.lines[i].text == first.lines[i].text);
        Check(second.lines[i].text.find('\r') == std::string::npos);
    }
    const EncodedSettings again = EncodeSettings(reread, second.menuHotkeys, second.lines);
    Check(again.settingsBytes == written.settingsBytes && again.hkeyBytes == written.hkeyBytes);
    return 0;
}
