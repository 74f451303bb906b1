#pragma once
// Whole-file reads and writes that never leave a half-written file behind,
// with patience for other programs that hold a file for a moment.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

enum class FileStatus {
    Loaded,
    Missing,     // no file of that name
    Unreadable,  // there is something, but it could not be read: never to be overwritten with defaults
};

// Why a file that exists is unreadable.
enum class ReadProblem {
    None,
    InUse,     // another program holds it, or reading is not allowed
    TooLarge,  // beyond FileSizeLimit, or more than this process can hold
    Failed,    // not a file, or reading broke off
    Damaged,   // read whole, but its contents are no file of ours (decided by the reader of the format)
    Gone,      // missing now, though it was there a moment ago (only its reader can tell)
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

// The bytes go to "<path>.tmp", which becomes "<path>.new" once it is whole;
// that complete copy then takes the place of path. When another program
// holds path open so that it cannot be replaced, path is written in place
// and read back, and the complete copy goes only once path holds it all. On
// failure the old file is left as it was, or, if writing in place broke
// off, "<path>.new" stays beside it for KeepLeftoverCopies to find.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Writes both files, or, if either cannot be written, neither. The old first
// file waits as "<first>.old" until the second is in place.
bool WriteFilePair(const std::filesystem::path& first, std::string_view firstBytes,
                   const std::filesystem::path& second, std::string_view secondBytes);

// Complete copies that a save cut off by the end of the process left beside
// path ("<path>.new", "<path>.old") are renamed "<path>.kept" (".kept2", ...)
// so that no later save replaces them; returns the names they have now.
std::vector<std::filesystem::path> KeepLeftoverCopies(const std::filesystem::path& path);

// The allocation of a file's bytes, a seam for the tests: a file within the
// size limit that this process cannot hold in memory is too large as well.
extern void (*ReserveFileBytes)(std::string& bytes, std::size_t size);
