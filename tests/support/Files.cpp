#include "Files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

TempFolder::TempFolder() : previous_(fs::current_path().string()) {
    static int counter = 0;
    path_ = (fs::temp_directory_path() /
             ("kwibra-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter)))
                .string();
    fs::remove_all(path_);
    fs::create_directory(path_);
    fs::current_path(path_);
}

TempFolder::~TempFolder() {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string SettingsText(const std::string& lines, const std::string& options) {
    std::istringstream in(lines);
    std::string text = "0\r\n0\r\n" + options + "\r\n";
    for (std::string line; std::getline(in, line);) text += line + "\r\n";
    return text;
}

HeldFile Hold(const std::string& path, DWORD share) {
    return HeldFile(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}
