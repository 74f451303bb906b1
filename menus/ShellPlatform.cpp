#include "menus/ShellPlatform.h"

#include <windows.h>

#include <shellapi.h>

#include "CommonControls.h"

namespace {

// Date and time formats fit in 78 bytes and the NUL; a result that does not
// fit, or any other failure, inserts nothing.
constexpr int FormatBufferSize = 79;

std::string Formatted(int length, const char* buffer) {
    return length > 0 ? std::string(buffer, length - 1) : std::string();
}

}  // namespace

ShellIcon ShellPlatform::IconForPath(const std::string& path, int size) {
    SHFILEINFOA info{};
    UINT flags = SHGFI_SYSICONINDEX;
    if (size < GetSystemMetrics(SM_CXICON)) flags |= SHGFI_SMALLICON;
    const DWORD_PTR list = SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, flags);
    if (!list) return {};
    const int count = ImageListCount(reinterpret_cast<HIMAGELIST>(list));
    return {static_cast<IconHandle>(list), info.iIcon, count};
}

std::int32_t ShellPlatform::ImageCount(IconHandle imageList) {
    return ImageListCount(reinterpret_cast<HIMAGELIST>(imageList));
}

std::string ShellPlatform::CurrentDirectory() {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string ShellPlatform::LongDate() {
    char buffer[FormatBufferSize];
    return Formatted(
        GetDateFormatA(LOCALE_SYSTEM_DEFAULT, DATE_LONGDATE, nullptr, nullptr, buffer, FormatBufferSize),
        buffer);
}

std::string ShellPlatform::TimeOfDay() {
    char buffer[FormatBufferSize];
    return Formatted(GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, 0, nullptr, nullptr, buffer, FormatBufferSize),
                     buffer);
}
