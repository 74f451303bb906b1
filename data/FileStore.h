#pragma once
// Whole-file reads and writes that never leave a half-written file behind.
#include <filesystem>
#include <string>
#include <string_view>

enum class FileStatus {
    Loaded,
    Missing,    // no file of that name
    Unreadable, // there is something, but it could not be read: never to be overwritten with defaults
};

struct FileContents {
    FileStatus status = FileStatus::Missing;
    std::string bytes;
};

FileContents ReadWholeFile(const std::filesystem::path& path);

// Writes a temporary file beside path and then puts it in place of path.
// On failure the old file is left as it was.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Writes both files, or, if either cannot be written, neither.
bool WriteFilePair(const std::filesystem::path& first, std::string_view firstBytes,
                   const std::filesystem::path& second, std::string_view secondBytes);
