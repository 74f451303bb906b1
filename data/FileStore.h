#pragma once
// Whole-file reads and writes that never leave a half-written file behind,
// with patience for other programs that hold a file for a moment.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

enum class FileStatus {
    Loaded,
    Missing,     // no file of that name
    Unreadable,  // there is something, but it could not be read: never to be overwritten with defaults
};

// Why a file that exists is unreadable.
enum class ReadProblem {
    None,
    InUse,     // another program holds it, or reading is not allowed
    TooLarge,  // beyond FileSizeLimit
    Failed,    // not a file, or reading broke off
    Damaged,   // read whole, but its contents are no file of ours (decided by the reader of the format)
};

struct FileContents {
    FileStatus status = FileStatus::Missing;
    ReadProblem problem = ReadProblem::None;
    std::string bytes = {};
};

// Far above the largest list the program can use (29,881 lines of 2 KB): a
// file beyond it is no file of ours and is never read into memory.
constexpr std::uintmax_t FileSizeLimit = std::uintmax_t{256} << 20;

// A file that cannot be opened is tried again for about a second.
FileContents ReadWholeFile(const std::filesystem::path& path);

// Writes a temporary file beside path and then puts it in place of path; when
// another program holds path open so that it cannot be replaced, path is
// written in place from the temporary copy. On failure the old file is left
// as it was, or, if writing in place broke off, the complete copy stays beside it.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Writes both files, or, if either cannot be written, neither.
bool WriteFilePair(const std::filesystem::path& first, std::string_view firstBytes,
                   const std::filesystem::path& second, std::string_view secondBytes);
