// Reading and writing "kwibra.ini" and "hkey.dat" through the menus.
#include "app/PhraseApp.h"

#include "ResourceText.h"
#include "data/DefaultPhraseList.h"
#include "data/HotkeyFile.h"
#include "resource.h"

namespace {

bool IsBreakLine(std::string_view line) { return line == "---" || line == "-->"; }

// A program that replaces a file by deleting it and renaming a new one
// (a sync client, an editor) leaves it missing for a moment.
constexpr int ReappearChecks = 20;
constexpr DWORD ReappearPauseMs = 50;

}  // namespace

// A file that exists but holds no file of ours is unreadable as well; one
// that was there at the last load and is gone at a rebuild is waited for.
FileContents PhraseApp::ReadListFile(const std::filesystem::path& path, bool (*isOurs)(std::string_view),
                                     bool seen, bool startUp) {
    FileContents file = ReadWholeFile(path);
    const bool mayReappear = seen && !startUp;
    for (int check = 0; mayReappear && file.status == FileStatus::Missing && check < ReappearChecks;
         ++check) {
        Sleep(ReappearPauseMs);
        file = ReadWholeFile(path);
    }
    if (mayReappear && file.status == FileStatus::Missing) return {FileStatus::Unreadable, ReadProblem::Gone};
    if (file.status == FileStatus::Loaded && !isOurs(file.bytes))
        return {FileStatus::Unreadable, ReadProblem::Damaged};
    return file;
}

SettingsSource PhraseApp::LoadSettings(bool startUp) {
    readProblems.clear();
    KeepLeftovers(files.settings);
    KeepLeftovers(files.hotkeys);
    const FileContents settings = ReadListFile(files.settings, IsSettingsText, settingsFileSeen, startUp);
    const FileContents hotkeyFile = ReadListFile(files.hotkeys, IsHotkeyFile, hotkeyFileSeen, startUp);
    const struct {
        const char* name;
        const FileContents& file;
        UINT keptAtStart;
    } rows[] = {{settingsPath, settings, IDS_KEPT_AT_START},
                {hotkeyPath, hotkeyFile, IDS_HOTKEYS_KEPT_AT_START}};
    bool unreadable = false;
    for (const auto& [name, file, keptAtStart] : rows) {
        if (file.status != FileStatus::Unreadable) continue;
        if (!unreadable) unreadableListFile = name;
        unreadable = true;
        readProblems.push_back(ReadProblemText(name, file.problem) + "\n" +
                               LoadResourceText(instance(), startUp ? keptAtStart : IDS_KEPT_ON_RELOAD));
    }
    // A rebuild that cannot read the files keeps the menus and hotkeys it has.
    if (unreadable && !startUp) return SettingsSource::Unreadable;
    settingsWritable = !unreadable;
    settingsFileSeen = settings.status == FileStatus::Loaded;
    hotkeyFileSeen = hotkeyFile.status == FileStatus::Loaded;

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
    RebuildList(DecodeSettings(text, hotkeyBytes, options));
}

// The menus' skeleton anew: the history survives in its file (or in memory
// when the file cannot be written), the font follows the system's.
void PhraseApp::ComposeMenus(bool startUp) {
    menus.Clear();
    if (!startUp) history.KeepForRebuild(files.historyPaths());
    history.Clear();
    menus.ReleaseFont();
    menus.ComposeHeaders(MainMenu());
    history.Attach(menus.history());
    menus.AppendFixedEntries(instance(), nonResident != 0);
}

void PhraseApp::RebuildList(const DecodedSettings& list) {
    hotkeys.Clear();
    menus.Clear();
    for (std::int32_t id = 0; id < static_cast<std::int32_t>(list.menuHotkeys.size()); ++id) {
        const HotkeyRecord& record = list.menuHotkeys[static_cast<std::size_t>(id)];
        if (record.virtualKey != 0) hotkeys.Add(id, record.virtualKey, record.modifiers);
    }
    for (const SettingsLine& line : list.lines) {
        // Separators and column breaks have no record that could carry a hotkey.
        HotkeyBinding* binding = nullptr;
        if (line.hotkey.virtualKey != 0 && !IsBreakLine(line.text))
            binding = &hotkeys.Add(0, line.hotkey.virtualKey, line.hotkey.modifiers);
        menus.AddLine(line.text, nullptr, binding);
    }
    // A column break that no entry followed is lost, as it is when saving;
    // it must not reach a line added later, in whichever menu.
    menus.EndList();
}

DecodedSettings PhraseApp::CurrentList() const {
    DecodedSettings list;
    list.menuHotkeys = MenuHotkeyRecords(hotkeys);
    for (CollectedLine& collected : menus.CollectLines(hotkeys)) {
        HotkeyRecord record;
        if (collected.binding) record = {collected.binding->virtualKey, collected.binding->modifiers};
        list.Add(std::move(collected.line), record);
    }
    return list;
}

void PhraseApp::LoadHistory() {
    KeepLeftovers(files.history);
    KeepLeftovers(files.historyCompanion);
    const HistoryLoad load = history.Load(files.historyPaths());
    for (const auto& [name, file] :
         {std::pair{historyPath, &load.clip}, {HistoryCompanionFileName, &load.companion}})
        if (file->status == FileStatus::Unreadable)
            readProblems.push_back(ReadProblemText(name, file->problem) + "\n" +
                                   LoadResourceText(instance(), IDS_HISTORY_KEPT));
    if (load.cutShort) readProblems.push_back(FilledText(IDS_HISTORY_CUT_SHORT, {historyPath}));
}

SaveOutcome PhraseApp::SaveSettings() {
    if (!settingsWritable) return SaveOutcome::Refused;
    const DecodedSettings list = CurrentList();
    const EncodedSettings bytes = EncodeSettings(options, list.menuHotkeys, list.lines);
    if (!WriteFilePair(files.settings, bytes.settingsBytes, files.hotkeys, bytes.hkeyBytes))
        return SaveOutcome::Failed;
    settingsFileSeen = hotkeyFileSeen = true;
    return SaveOutcome::Saved;
}
