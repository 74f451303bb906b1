#pragma once
// Files as the tests need them: a scratch folder that is the current
// directory, whole-file bytes, and a file that another program holds.
#include <windows.h>

#include <memory>
#include <string>

// A new empty folder, the current directory while the object lives.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

  private:
    std::string path_;
    std::string previous_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The settings file of these list lines: "0", "0", the options line, CR LF ends.
std::string SettingsText(const std::string& lines, const std::string& options = "0\t20\t-1\t1");

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using HeldFile = std::unique_ptr<void, HandleCloser>;

// A file opened as another program would: share 0 locks it against every
// reader; FILE_SHARE_READ | FILE_SHARE_WRITE is how the C runtime's fopen holds it.
HeldFile Hold(const std::string& path, DWORD share);
