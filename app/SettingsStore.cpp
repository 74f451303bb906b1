// Reading and writing "kwibra.ini" and "hkey.dat" through the menus.
#include "app/PhraseApp.h"

#include "ResourceText.h"
#include "data/DefaultPhraseList.h"
#include "data/HotkeyFile.h"
#include "resource.h"

namespace {

bool IsBreakLine(std::string_view line) { return line == "---" || line == "-->"; }

// A file that exists but holds no file of ours is unreadable as well.
FileContents ReadChecked(const char* path, bool (*isOurs)(std::string_view)) {
    FileContents file = ReadWholeFile(path);
    if (file.status == FileStatus::Loaded && !isOurs(file.bytes))
        return {FileStatus::Unreadable, ReadProblem::Damaged};
    return file;
}

}  // namespace

SettingsSource PhraseApp::LoadSettings(bool startUp) {
    readProblems.clear();
    const FileContents settings = ReadChecked(settingsPath, IsSettingsText);
    const FileContents hotkeyFile = ReadChecked(hotkeyPath, IsHotkeyFile);
    const struct {
        const char* path;
        const FileContents& file;
        UINT keptAtStart;
    } files[] = {{settingsPath, settings, IDS_KEPT_AT_START},
                 {hotkeyPath, hotkeyFile, IDS_HOTKEYS_KEPT_AT_START}};
    for (const auto& [path, file, keptAtStart] : files) {
        if (file.status == FileStatus::Unreadable)
            readProblems.push_back(ReadProblemText(path, file.problem) + "\n" +
                                   LoadResourceText(instance(), startUp ? keptAtStart : IDS_KEPT_ON_RELOAD));
    }
    // A rebuild that cannot read the files keeps the menus and hotkeys it has.
    if (!readProblems.empty() && !startUp) return SettingsSource::Unreadable;
    settingsWritable = readProblems.empty();

    hotkeys.Clear();
    ComposeMenus(startUp);
    SettingsSource source = SettingsSource::File;
    if (settings.status == FileStatus::Loaded) {
        ParseSettings(settings.bytes, hotkeyFile.bytes);
    } else {
        std::string defaults = LoadResourceText(instance(), IDS_DEFAULT_LIST);
        if (defaults.empty()) defaults = DefaultPhraseList();
        // The records of a settings file that could not be read belong to its lines, not to the defaults.
        const bool missing = settings.status == FileStatus::Missing;
        ParseSettings(defaults, missing ? std::string_view(hotkeyFile.bytes) : std::string_view());
        source = missing ? SettingsSource::Missing : SettingsSource::Unreadable;
    }
    LoadHistory();
    return source;
}

void PhraseApp::ParseSettings(std::string_view text, std::string_view hotkeyBytes) {
    const DecodedSettings decoded = DecodeSettings(text, hotkeyBytes, options);
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

SaveOutcome PhraseApp::SaveSettings() {
    if (!settingsWritable) return SaveOutcome::Refused;
    std::vector<SettingsLine> lines;
    for (CollectedLine& collected : CollectLines()) {
        HotkeyRecord record;
        if (collected.binding) record = {collected.binding->virtualKey, collected.binding->modifiers};
        lines.push_back({std::move(collected.line), record});
    }
    const EncodedSettings files = EncodeSettings(options, MenuHotkeyRecords(hotkeys), lines);
    return WriteFilePair(settingsPath, files.settingsBytes, hotkeyPath, files.hkeyBytes)
               ? SaveOutcome::Saved
               : SaveOutcome::Failed;
}
