#include "MenuTestSupport.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "resource.h"

namespace fs = std::filesystem;

namespace {

std::string CurrentDirectory() {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

}  // namespace

TempDirectory::TempDirectory() : previous_(CurrentDirectory()) {
    static unsigned counter = 0;
    const fs::path base = fs::temp_directory_path();
    for (;;) {
        const fs::path candidate =
            base / ("kwibra-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            path_ = candidate.string();
            break;
        }
    }
    SetCurrentDirectoryA(path_.c_str());
}

TempDirectory::~TempDirectory() {
    SetCurrentDirectoryA(previous_.c_str());
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

LockedFile::LockedFile(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          nullptr)) {}

LockedFile::~LockedFile() {
    if (ok()) CloseHandle(handle_);
}

AppUnderTest::AppUnderTest(bool nonResident) : app_(std::make_unique<PhraseApp>()) {
    static ShellPlatform shell;
    InstallPlatform(&shell);
    iconSize = 16;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    app_->SetStartup(instance, SW_HIDE, "");
    app_->nonResident = nonResident ? 1 : 0;
    app_->LoadPopupMenu(MAKEINTRESOURCEA(IDR_MAIN_MENU), IDM_SETTINGS);
    app_->fixedIcons.Load(instance);
}

AppUnderTest::~AppUnderTest() {
    app_->ClearPhraseMenus();
    app_->ClearHistory();
    app_.reset();
}

std::string SettingsText(const std::vector<std::string>& lines, const std::string& options) {
    std::string text = "0\r\n0\r\n" + options + "\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::vector<std::string> ListLinesOf(const std::string& settingsBytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (int header = 0; header < 3 && start != std::string::npos; ++header) {
        const std::size_t lf = settingsBytes.find('\n', start);
        start = lf == std::string::npos ? lf : lf + 1;
    }
    while (start != std::string::npos && start < settingsBytes.size()) {
        const std::size_t lf = settingsBytes.find('\n', start);
        if (lf == std::string::npos) break;
        std::string line = settingsBytes.substr(start, lf - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = lf + 1;
    }
    return lines;
}

MenuEntry EntryAt(HMENU menu, int position) {
    MenuEntry entry;
    ReadEntry(menu, position, entry);
    return entry;
}

std::vector<UINT> EntryIds(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < EntryCount(menu); ++i) {
        const MenuEntry entry = EntryAt(menu, i);
        if (entry.IsOwnerDrawn() || entry.IsSeparator()) ids.push_back(entry.IsSeparator() ? 0 : entry.id);
    }
    return ids;
}

std::vector<std::string> EntryTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < EntryCount(menu); ++i) {
        const MenuEntry entry = EntryAt(menu, i);
        if (entry.IsSeparator())
            texts.push_back("---");
        else if (entry.IsOwnerDrawn() && entry.record)
            texts.push_back(entry.record->DisplayText());
    }
    return texts;
}

std::string MenuString(HMENU menu, int position) {
    char buffer[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof buffer, MF_BYPOSITION);
    return buffer;
}
