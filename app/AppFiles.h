#pragma once
// The program's three files. Their paths are fixed at start-up, in the folder
// that was current then: the settings dialog's file chooser changes the
// current folder while it is open, and nothing may be read or written there.
#include <filesystem>

#include "menus/ClipHistory.h"

struct AppFiles {
    std::filesystem::path settings = "kwibra.ini";
    std::filesystem::path hotkeys = "hkey.dat";
    std::filesystem::path history = "clip.dat";
    std::filesystem::path historyCompanion = "clipw.dat";  // the exact texts Shift-JIS cannot hold
    std::filesystem::path pasteRules = "paste.txt";        // the user's, read only

    // The three in the current folder, by absolute path. The path is built
    // from the folder's wide name: a narrow one would be read as UTF-8.
    static AppFiles InCurrentFolder();
    HistoryPaths historyPaths() const { return {history, historyCompanion}; }
};
