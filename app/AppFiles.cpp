#include "app/AppFiles.h"

#include <windows.h>

#include <string>

AppFiles AppFiles::InCurrentFolder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    const DWORD length = size ? GetCurrentDirectoryW(size, folder.data()) : 0;
    AppFiles files;
    if (length == 0 || length >= size) return files;  // relative names: the current folder as it is
    folder.resize(length);
    const std::filesystem::path base(folder);
    files.settings = base / L"kwibra.ini";
    files.hotkeys = base / L"hkey.dat";
    files.history = base / L"clip.dat";
    files.historyCompanion = base / L"clipw.dat";
    files.pasteRules = base / L"paste.txt";
    return files;
}
