#include "data/FileStore.h"

#include <array>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path TemporaryFor(const fs::path& path)
{
    fs::path temp = path;
    temp += ".tmp";
    return temp;
}

// Writes bytes to a new file at temp, checking the write and the close.
bool WriteTemporary(const fs::path& temp, std::string_view bytes)
{
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out.fail())
        return true;
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
}

bool MoveInPlace(const fs::path& temp, const fs::path& path)
{
    std::error_code error;
    fs::rename(temp, path, error);
    if (!error)
        return true;
    fs::remove(temp, error);
    return false;
}

} // namespace

FileContents ReadWholeFile(const fs::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        return {FileStatus::Missing, {}};
    if (error || !fs::is_regular_file(status))
        return {FileStatus::Unreadable, {}};

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {FileStatus::Unreadable, {}};
    FileContents result{FileStatus::Loaded, {}};
    std::array<char, 1 << 16> buffer;
    do {
        in.read(buffer.data(), buffer.size());
        result.bytes.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    } while (in);
    if (in.bad() || !in.eof())
        return {FileStatus::Unreadable, {}};
    return result;
}

bool WriteWholeFile(const fs::path& path, std::string_view bytes)
{
    const fs::path temp = TemporaryFor(path);
    return WriteTemporary(temp, bytes) && MoveInPlace(temp, path);
}

bool WriteFilePair(const fs::path& first, std::string_view firstBytes, const fs::path& second,
                   std::string_view secondBytes)
{
    const fs::path firstTemp = TemporaryFor(first);
    const fs::path secondTemp = TemporaryFor(second);
    fs::path saved = first;
    saved += ".old";
    std::error_code error;
    std::error_code ignored;
    if (!WriteTemporary(firstTemp, firstBytes))
        return false;
    if (!WriteTemporary(secondTemp, secondBytes)) {
        fs::remove(firstTemp, ignored);
        return false;
    }
    // A copy of the old first file puts it back if the second cannot be replaced.
    const bool hadFirst = fs::exists(first, error);
    if (hadFirst)
        fs::copy_file(first, saved, fs::copy_options::overwrite_existing, error);
    if (error || !MoveInPlace(firstTemp, first)) {
        fs::remove(firstTemp, ignored);
        fs::remove(secondTemp, ignored);
        fs::remove(saved, ignored);
        return false;
    }
    if (!MoveInPlace(secondTemp, second)) {
        if (hadFirst)
            fs::rename(saved, first, ignored);
        else
            fs::remove(first, ignored);
        return false;
    }
    fs::remove(saved, ignored);
    return true;
}
