#pragma once
// Shared by the menu and application tests: a fresh temporary current
// directory per test, an application object with its menus, and file and
// menu inspection on the real system.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/PhraseApp.h"
#include "menus/MenuEntries.h"
#include "menus/ShellPlatform.h"

// Makes a new empty directory the current one; restores the old one and
// removes the directory with everything in it when it goes.
class TempDirectory {
  public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
    std::string previous_;
};

std::string ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// A file opened with every sharing refused, so that nobody else can read it.
class LockedFile {
  public:
    explicit LockedFile(const std::string& path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

// An application object as the program has it after InitApplication and
// the menu resource: fixed icons loaded, the shell installed as platform
// (for the rest of the process).
// Frees the records of its menus when it goes.
class AppUnderTest {
  public:
    AppUnderTest(bool nonResident = false);
    ~AppUnderTest();
    AppUnderTest(const AppUnderTest&) = delete;
    AppUnderTest& operator=(const AppUnderTest&) = delete;
    PhraseApp* operator->() { return app_.get(); }
    PhraseApp& operator*() { return *app_; }

  private:
    std::unique_ptr<PhraseApp> app_;
};

// Settings file text: the three header lines and the list lines, CR LF ends.
std::string SettingsText(const std::vector<std::string>& lines, const std::string& options = "0\t20\t-1\t1");
// The list lines of a settings file (after its three header lines), without line ends.
std::vector<std::string> ListLinesOf(const std::string& settingsBytes);

MenuEntry EntryAt(HMENU menu, int position);
// The command identifiers of the owner-drawn entries of menu, in order (0 for separators).
std::vector<UINT> EntryIds(HMENU menu);
// The displayed texts of the owner-drawn entries of menu, "---" for separators.
std::vector<std::string> EntryTexts(HMENU menu);
std::string MenuString(HMENU menu, int position);
