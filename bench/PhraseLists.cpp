#include "bench/PhraseLists.h"

#include <windows.h>

#include <fstream>

#include "bench/Timing.h"
#include "data/FileStore.h"
#include "resource.h"

DecodedSettings LargeList() {
    DecodedSettings lines;
    for (int i = 0; i < 10000; ++i) {
        const std::string n = std::to_string(i);
        std::string text;
        if (i % 500 == 499)
            text = " -区分" + n + "(&S)";
        else if (i % 50 == 25)
            text = "---";
        else if (i % 7 == 1)
            text = " + 表示" + n + " : 入力される内容" + n;
        else if (i % 11 == 2)
            text = " * メモ帳" + n + " : notepad";
        else
            text = "定型文" + n + "のソ表";
        const HotkeyRecord hotkey =
            i % 1000 == 3 ? HotkeyRecord{static_cast<std::uint8_t>(VK_F1 + i / 1000), 7} : HotkeyRecord{};
        lines.Add(std::move(text), hotkey);
    }
    return lines;
}

DecodedSettings LauncherList() {
    DecodedSettings lines;
    for (const char* text : {"＾＾；", "（＾＿＾）"}) lines.Add(text, {});
    for (int n = 1; n <= 300; ++n) lines.Add(" * メモ帳" + std::to_string(n) + " : notepad", {});
    return lines;
}

void WriteList(const std::string& folder, const DecodedSettings& lines) {
    const EncodedSettings files =
        EncodeSettings({}, {HotkeyRecord{}, {}, {'A', MOD_CONTROL | MOD_ALT}}, lines.lines);
    Require(WriteWholeFile(folder + "\\kwibra.ini", files.settingsBytes) &&
                WriteWholeFile(folder + "\\hkey.dat", files.hkeyBytes),
            "a list could not be written");
}

namespace {

bool StartsSection(std::string_view line) { return line.size() >= 2 && line[0] == ' ' && line[1] == '-'; }

// A labelled or command item shows its label without the marker (as kwibra
// does once it has the item's icon); any other line shows itself.
std::string DisplayText(const std::string& line) {
    if (line.size() < 3 || line[0] != ' ' || (line[1] != '*' && line[1] != '+')) return line;
    std::string label = line.substr(0, line.find(" : "));
    label.erase(0, label.find_first_not_of(' ', 2));
    return label;
}

std::string ResourceText(HMODULE module, UINT id) {
    std::string text(1024, '\0');
    text.resize(
        static_cast<std::size_t>(LoadStringA(module, id, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The separator and two commands kwibra adds below every phrase list.
std::vector<std::string> FixedTail(const std::string& exe) {
    const HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    Require(module != nullptr, "kwibra.exe could not be read for its menu texts");
    std::vector<std::string> tail = {"---", ResourceText(module, IDS_MENU_ADD_CLIPBOARD),
                                     ResourceText(module, IDS_MENU_SETTINGS)};
    FreeLibrary(module);
    return tail;
}

}  // namespace

std::vector<std::string> PhraseMenuTexts(const std::string& folder) {
    const FileContents settings = ReadWholeFile(folder + "\\kwibra.ini");
    Require(settings.status == FileStatus::Loaded, "a kwibra.ini could not be read");
    AppSettings options;
    std::vector<std::string> texts;
    for (const SettingsLine& line : DecodeSettings(settings.bytes, "", options).lines) {
        if (StartsSection(line.text)) break;
        if (line.text != "-->")
            texts.push_back(DisplayText(std::string(line.text)));  // a column break is no entry
    }
    for (std::string& text : FixedTail(folder + "\\kwibra.exe")) texts.push_back(std::move(text));
    return texts;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream file(path, std::ios::binary);
    for (const std::string& line : lines) file << line << "\r\n";
    Require(static_cast<bool>(file), "the floor's lines could not be written");
}
