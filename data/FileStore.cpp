#include "data/FileStore.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

void (*ReserveFileBytes)(std::string& bytes, std::size_t size) = [](std::string& bytes, std::size_t size) {
    bytes.reserve(size);
};

namespace {

constexpr int OpenAttempts = 20;     // about a second, for a scanner or sync client
constexpr int ReplaceAttempts = 10;  // about half a second

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

fs::path WithSuffix(const fs::path& path, const char* suffix) {
    fs::path result = path;
    result += suffix;
    return result;
}

bool IsFile(const fs::path& path) {
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

void RemoveFile(const fs::path& path) {
    std::error_code ignored;
    if (IsFile(path)) fs::remove(path, ignored);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// The C library's files rather than the C++ streams, whose locale machinery
// a resident program would carry in memory all day. On Windows the path's
// wide form opens the file whatever the code page.
UniqueFile OpenFile(const fs::path& path, bool write) {
#ifdef _WIN32
    return UniqueFile(_wfopen(path.c_str(), write ? L"wb" : L"rb"));
#else
    return UniqueFile(std::fopen(path.c_str(), write ? "wb" : "rb"));
#endif
}

// Writes bytes over whatever file is at path, checking the write and the close.
bool WriteFile(const fs::path& path, std::string_view bytes) {
    UniqueFile out = OpenFile(path, true);
    if (!out) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
    return std::fclose(out.release()) == 0 && written;
}

// "<path>.new" holding all of bytes, or false with nothing of it left.
bool WriteCompleteCopy(const fs::path& path, std::string_view bytes, fs::path& copy) {
    const fs::path partial = WithSuffix(path, ".tmp");
    copy = WithSuffix(path, ".new");
    std::error_code error;
    if (WriteFile(partial, bytes)) {
        fs::rename(partial, copy, error);
        if (!error) return true;
    }
    RemoveFile(partial);
    return false;
}

bool Holds(const fs::path& path, std::string_view bytes) {
    const FileContents written = ReadWholeFile(path);
    return written.status == FileStatus::Loaded && written.bytes == bytes;
}

// Puts the complete file copy in place of path. A file held open without
// delete sharing (as the C runtime's fopen holds it) cannot be replaced, but
// it can be written in place; copy goes only once path holds it all.
bool ReplaceWith(const fs::path& copy, const fs::path& path) {
    std::error_code error;
    for (int attempt = 0; attempt < ReplaceAttempts; ++attempt) {
        fs::rename(copy, path, error);
        if (!error) return true;
        Pause();
    }
    const FileContents complete = ReadWholeFile(copy);
    if (complete.status != FileStatus::Loaded || !IsFile(path)) {
        RemoveFile(copy);  // path is as it was
        return false;
    }
    if (!WriteFile(path, complete.bytes) || !Holds(path, complete.bytes)) return false;
    RemoveFile(copy);
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

    UniqueFile in;
    for (int attempt = 0; attempt < OpenAttempts && !in; ++attempt) {
        if (attempt > 0) Pause();
        in = OpenFile(path, false);
    }
    if (!in) return {FileStatus::Unreadable, ReadProblem::InUse};
    FileContents result{FileStatus::Loaded};
    try {
        ReserveFileBytes(result.bytes, static_cast<std::size_t>(size));
        std::vector<char> chunk(std::size_t{1} << 16);
        for (std::size_t read; (read = std::fread(chunk.data(), 1, chunk.size(), in.get())) > 0;)
            result.bytes.append(chunk.data(), read);
    } catch (const std::bad_alloc&) {
        return {FileStatus::Unreadable, ReadProblem::TooLarge};  // more than this process can hold
    }
    if (std::ferror(in.get())) return {FileStatus::Unreadable, ReadProblem::Failed};
    return result;
}

bool WriteWholeFile(const fs::path& path, std::string_view bytes) {
    fs::path copy;
    return WriteCompleteCopy(path, bytes, copy) && ReplaceWith(copy, path);
}

bool WriteFilePair(const fs::path& first, std::string_view firstBytes, const fs::path& second,
                   std::string_view secondBytes) {
    fs::path firstCopy, secondCopy;
    if (!WriteCompleteCopy(first, firstBytes, firstCopy)) return false;
    if (!WriteCompleteCopy(second, secondBytes, secondCopy)) {
        RemoveFile(firstCopy);
        return false;
    }
    // The old first file puts itself back if either cannot be replaced.
    const fs::path saved = WithSuffix(first, ".old");
    std::error_code error;
    const bool hadFirst = fs::exists(first, error);
    if (hadFirst) fs::copy_file(first, saved, fs::copy_options::overwrite_existing, error);
    if (error) {
        RemoveFile(firstCopy);
        RemoveFile(secondCopy);
        return false;
    }
    const bool firstReplaced = ReplaceWith(firstCopy, first);
    if (firstReplaced && ReplaceWith(secondCopy, second)) {
        RemoveFile(saved);
        return true;
    }
    if (!firstReplaced) RemoveFile(secondCopy);
    // Whatever could not be put back stays beside the files, complete.
    if (!hadFirst) {
        RemoveFile(first);
    } else if (IsFile(firstCopy) || firstReplaced) {
        if (ReplaceWith(saved, first)) RemoveFile(firstCopy);
    } else {
        RemoveFile(saved);
    }
    return false;
}

std::vector<fs::path> KeepLeftoverCopies(const fs::path& path) {
    std::vector<fs::path> kept;
    for (const char* suffix : {".new", ".old"}) {
        const fs::path leftover = WithSuffix(path, suffix);
        if (!IsFile(leftover)) continue;
        std::error_code error;
        fs::path keep = WithSuffix(path, ".kept");
        for (int n = 2; n < 1000 && (fs::exists(keep, error) || error); ++n)
            keep = WithSuffix(path, (".kept" + std::to_string(n)).c_str());
        fs::rename(leftover, keep, error);
        kept.push_back(error ? leftover : keep);
    }
    return kept;
}
