#include "data/FileStore.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <new>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr int OpenAttempts = 20;     // about a second, for a scanner or sync client
constexpr int ReplaceAttempts = 10;  // about half a second

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

fs::path WithSuffix(const fs::path& path, const char* suffix) {
    fs::path result = path;
    result += suffix;
    return result;
}

// Writes bytes over whatever file is at path, checking the write and the close.
bool WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

bool WriteTemporary(const fs::path& temp, std::string_view bytes) {
    if (WriteFile(temp, bytes)) return true;
    std::error_code ignored;
    if (fs::is_regular_file(temp, ignored)) fs::remove(temp, ignored);
    return false;
}

// Puts the complete file temp in place of path. A file held open without
// delete sharing (as the C runtime's fopen holds it) cannot be replaced, but
// it can be written in place; temp is removed only once path holds it all.
bool ReplaceWith(const fs::path& temp, const fs::path& path) {
    std::error_code error;
    for (int attempt = 0; attempt < ReplaceAttempts; ++attempt) {
        fs::rename(temp, path, error);
        if (!error) return true;
        Pause();
    }
    const FileContents copy = ReadWholeFile(temp);
    if (copy.status != FileStatus::Loaded || !fs::is_regular_file(path, error)) {
        fs::remove(temp, error);
        return false;
    }
    if (!WriteFile(path, copy.bytes)) return false;  // path may be cut short: the complete copy stays
    fs::remove(temp, error);
    return true;
}

}  // namespace

FileContents ReadWholeFile(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) return {FileStatus::Missing};
    if (error || !fs::is_regular_file(status)) return {FileStatus::Unreadable, ReadProblem::Failed};
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return {FileStatus::Unreadable, ReadProblem::Failed};
    if (size > FileSizeLimit) return {FileStatus::Unreadable, ReadProblem::TooLarge};

    std::ifstream in;
    for (int attempt = 0; attempt < OpenAttempts && !in.is_open(); ++attempt) {
        if (attempt > 0) Pause();
        in.open(path, std::ios::binary);
    }
    if (!in.is_open()) return {FileStatus::Unreadable, ReadProblem::InUse};
    FileContents result{FileStatus::Loaded};
    try {
        result.bytes.reserve(static_cast<std::size_t>(size));
        result.bytes.assign(std::istreambuf_iterator<char>(in), {});
    } catch (const std::bad_alloc&) {
        return {FileStatus::Unreadable, ReadProblem::TooLarge};  // more than this process can hold
    }
    if (in.bad()) return {FileStatus::Unreadable, ReadProblem::Failed};
    return result;
}

bool WriteWholeFile(const fs::path& path, std::string_view bytes) {
    const fs::path temp = WithSuffix(path, ".tmp");
    return WriteTemporary(temp, bytes) && ReplaceWith(temp, path);
}

bool WriteFilePair(const fs::path& first, std::string_view firstBytes, const fs::path& second,
                   std::string_view secondBytes) {
    const fs::path firstTemp = WithSuffix(first, ".tmp");
    const fs::path secondTemp = WithSuffix(second, ".tmp");
    const fs::path saved = WithSuffix(first, ".old");
    std::error_code ignored;
    if (!WriteTemporary(firstTemp, firstBytes)) return false;
    if (!WriteTemporary(secondTemp, secondBytes)) {
        fs::remove(firstTemp, ignored);
        return false;
    }
    // A copy of the old first file puts it back if the second cannot be replaced.
    // After a failed replacement the complete copies stay beside the files.
    std::error_code error;
    const bool hadFirst = fs::exists(first, error);
    if (hadFirst) fs::copy_file(first, saved, fs::copy_options::overwrite_existing, error);
    if (error) {
        fs::remove(firstTemp, ignored);
        fs::remove(secondTemp, ignored);
        return false;
    }
    if (!ReplaceWith(firstTemp, first)) {
        fs::remove(secondTemp, ignored);
        return false;
    }
    if (!ReplaceWith(secondTemp, second)) {
        if (hadFirst)
            ReplaceWith(saved, first);
        else
            fs::remove(first, ignored);
        return false;
    }
    fs::remove(saved, ignored);
    return true;
}
