#pragma once
// Files as the tests need them: a scratch folder, whole-file bytes, and a file another program holds.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

// A new empty folder, the current directory while the object lives.
class TempFolder {
  public:
    TempFolder() : previous_(std::filesystem::current_path()) {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("kwibra-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directory(path_);
        std::filesystem::current_path(path_);
    }
    ~TempFolder() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

  private:
    std::filesystem::path previous_, path_;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The settings file of these list lines: "0", "0", the options line, CR LF ends.
inline std::string SettingsText(const std::string& lines, const std::string& options = "0\t20\t-1\t1") {
    std::istringstream in(lines);
    std::string text = "0\r\n0\r\n" + options + "\r\n";
    for (std::string line; std::getline(in, line);) text += line + "\r\n";
    return text;
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using HeldFile = std::unique_ptr<void, HandleCloser>;

// A file held as another program would: share 0 locks it; read and write sharing is how fopen holds it.
inline HeldFile Hold(const std::string& path, DWORD share) {
    return HeldFile(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}
