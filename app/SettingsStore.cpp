// Reading and writing "kwibra.ini" and "hkey.dat" through the menus.
#include "app/PhraseApp.h"

#include "data/DefaultPhraseList.h"
#include "data/FileStore.h"
#include "ResourceText.h"
#include "resource.h"

namespace {

bool IsBreakLine(std::string_view line) { return line == "---" || line == "-->"; }

}  // namespace

SettingsSource PhraseApp::LoadSettings(bool startUp) {
    hotkeys.Clear();
    ComposeMenus(startUp);

    const FileContents file = ReadWholeFile(settingsPath);
    settingsWritable = file.status != FileStatus::Unreadable;
    SettingsSource source = SettingsSource::File;
    if (file.status == FileStatus::Loaded) {
        ParseSettings(file.bytes);
    } else {
        std::string defaults = LoadResourceText(instance(), IDS_DEFAULT_LIST);
        if (defaults.empty()) defaults = DefaultPhraseList();
        ParseSettings(defaults);
        source = file.status == FileStatus::Missing ? SettingsSource::Missing : SettingsSource::Unreadable;
    }
    LoadHistory();
    return source;
}

void PhraseApp::ParseSettings(std::string_view text) {
    const FileContents hotkeyFile = ReadWholeFile(hotkeyPath);
    if (hotkeyFile.status == FileStatus::Unreadable) settingsWritable = false;
    const DecodedSettings decoded = DecodeSettings(text, hotkeyFile.bytes, options);
    for (std::int32_t id = 0; id < static_cast<std::int32_t>(decoded.menuHotkeys.size()); ++id) {
        const HotkeyRecord& record = decoded.menuHotkeys[static_cast<std::size_t>(id)];
        if (record.virtualKey != 0) hotkeys.Add(id, record.virtualKey, record.modifiers);
    }
    for (const SettingsLine& line : decoded.lines) {
        // Separators and column breaks have no record that could carry a hotkey.
        HotkeyBinding* binding = nullptr;
        if (line.hotkey.virtualKey != 0 && !IsBreakLine(line.text))
            binding = &hotkeys.Add(0, line.hotkey.virtualKey, line.hotkey.modifiers);
        AddLine(line.text, nullptr, binding);
    }
    // A column break that no entry followed is lost, as it is when saving;
    // it must not reach a line added later, in whichever menu.
    pendingColumnBreak = false;
}

bool PhraseApp::SaveSettings() {
    if (!settingsWritable) return false;
    std::vector<SettingsLine> lines;
    for (CollectedLine& collected : CollectLines()) {
        HotkeyRecord record;
        if (collected.binding) record = {collected.binding->virtualKey, collected.binding->modifiers};
        lines.push_back({std::move(collected.line), record});
    }
    const EncodedSettings files = EncodeSettings(options, MenuHotkeyRecords(hotkeys), lines);
    return WriteFilePair(settingsPath, files.settingsBytes, hotkeyPath, files.hkeyBytes);
}
