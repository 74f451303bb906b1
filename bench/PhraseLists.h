#pragma once
// The lists the application benchmark gives kwibra.exe, and the lines of its
// phrase menu for menufloor.exe, so that both show the same entries.
#include <string>
#include <vector>

#include "data/SettingsFile.h"

// 10,000 list lines: text, labelled and command items, separators, a section
// every 500 lines, and hotkeys on ten items.
DecodedSettings LargeList();

// 302 entries in the phrase menu: two phrases, the second "（＾＿＾）" as in the
// default list, then 300 launcher items " * メモ帳N : notepad".
DecodedSettings LauncherList();

// kwibra.ini and hkey.dat of the list in folder, Ctrl+Alt+A on the phrase menu.
void WriteList(const std::string& folder, const DecodedSettings& lines);

// What kwibra's phrase menu shows of the list in folder: each line before
// the first section line as its display text ("---" stays a separator), then
// the menu's fixed entries, their texts read from kwibra.exe's resources.
std::vector<std::string> PhraseMenuTexts(const std::string& folder);

// One line each, as menufloor.exe reads them.
void WriteLines(const std::string& path, const std::vector<std::string>& lines);
