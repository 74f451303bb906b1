#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "data/FileStore.h"

namespace fs = std::filesystem;

namespace {

class FileStoreTest : public ::testing::Test {
protected:
    FileStoreTest()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / (std::string("kwibra-") + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~FileStoreTest() override { fs::remove_all(dir); }

    void Put(const fs::path& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string Get(const fs::path& path) { return ReadWholeFile(path).bytes; }
    bool OnlyFiles(std::initializer_list<const char*> names)
    {
        std::size_t count = 0;
        for (const auto& entry : fs::directory_iterator(dir)) {
            (void)entry;
            ++count;
        }
        for (const char* name : names)
            if (!fs::exists(dir / name))
                return false;
        return count == names.size();
    }

    fs::path dir;
};

TEST_F(FileStoreTest, ReadReportsMissingLoadedAndUnreadable)
{
    const std::string bytes("a\r\nb\0\x1a\n\x95", 8);
    Put(dir / "kwibra.ini", bytes);
    Put(dir / "empty", "");
    fs::create_directory(dir / "folder");

    const FileContents loaded = ReadWholeFile(dir / "kwibra.ini");
    EXPECT_EQ(loaded.status, FileStatus::Loaded);
    EXPECT_EQ(loaded.bytes, bytes);
    EXPECT_EQ(ReadWholeFile(dir / "empty").status, FileStatus::Loaded);
    EXPECT_EQ(ReadWholeFile(dir / "none").status, FileStatus::Missing);
    EXPECT_EQ(ReadWholeFile(dir / "none" / "deeper").status, FileStatus::Missing);
    EXPECT_EQ(ReadWholeFile(dir / "folder").status, FileStatus::Unreadable);
}

TEST_F(FileStoreTest, ReadsLargeFilesWhole)
{
    std::string big;
    for (int i = 0; big.size() < 300000; ++i)
        big += std::to_string(i) + "表\r\n";
    Put(dir / "big", big);
    EXPECT_EQ(Get(dir / "big"), big);
}

TEST_F(FileStoreTest, WriteCreatesAndReplaces)
{
    EXPECT_TRUE(WriteWholeFile(dir / "clip.dat", std::string("\x01\0\x0a\x0d", 4)));
    EXPECT_EQ(Get(dir / "clip.dat"), std::string("\x01\0\x0a\x0d", 4));
    EXPECT_TRUE(WriteWholeFile(dir / "clip.dat", "new"));
    EXPECT_EQ(Get(dir / "clip.dat"), "new");
    EXPECT_TRUE(OnlyFiles({"clip.dat"}));
}

TEST_F(FileStoreTest, FailedWriteKeepsTheOldFile)
{
    Put(dir / "kwibra.ini", "old");
    fs::create_directory(dir / "kwibra.ini.tmp"); // the temporary cannot be made
    EXPECT_FALSE(WriteWholeFile(dir / "kwibra.ini", "new"));
    EXPECT_EQ(Get(dir / "kwibra.ini"), "old");

    fs::create_directory(dir / "folder"); // the target cannot be replaced
    EXPECT_FALSE(WriteWholeFile(dir / "folder", "new"));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_TRUE(OnlyFiles({"kwibra.ini", "kwibra.ini.tmp", "folder"}));

    EXPECT_FALSE(WriteWholeFile(dir / "none" / "kwibra.ini", "new"));
}

TEST_F(FileStoreTest, PairIsWrittenWhole)
{
    Put(dir / "kwibra.ini", "old settings");
    EXPECT_TRUE(WriteFilePair(dir / "kwibra.ini", "new settings", dir / "hkey.dat", std::string("\0\0", 2)));
    EXPECT_EQ(Get(dir / "kwibra.ini"), "new settings");
    EXPECT_EQ(Get(dir / "hkey.dat"), std::string("\0\0", 2));
    EXPECT_TRUE(OnlyFiles({"kwibra.ini", "hkey.dat"}));
}

TEST_F(FileStoreTest, PairThatCannotBeWrittenLeavesBothOldFiles)
{
    // Each blocks one step: either temporary, or putting the second file in place.
    for (const char* blocked : {"kwibra.ini.tmp", "hkey.dat.tmp", "hkey.dat"}) {
        SCOPED_TRACE(blocked);
        fs::remove_all(dir);
        fs::create_directories(dir);
        const bool keysBlocked = std::string(blocked) == "hkey.dat";
        if (!keysBlocked)
            Put(dir / "hkey.dat", "old keys");
        Put(dir / "kwibra.ini", "old settings");
        fs::create_directory(dir / blocked);

        EXPECT_FALSE(WriteFilePair(dir / "kwibra.ini", "new settings", dir / "hkey.dat", "new keys"));
        EXPECT_EQ(Get(dir / "kwibra.ini"), "old settings");
        if (!keysBlocked) {
            EXPECT_EQ(Get(dir / "hkey.dat"), "old keys");
        }
        EXPECT_TRUE(OnlyFiles({"kwibra.ini", "hkey.dat", blocked}) || OnlyFiles({"kwibra.ini", "hkey.dat"}));
    }
}

TEST_F(FileStoreTest, PairWithoutOldFirstFileLeavesNothingOnFailure)
{
    fs::create_directory(dir / "hkey.dat");
    EXPECT_FALSE(WriteFilePair(dir / "kwibra.ini", "new settings", dir / "hkey.dat", "new keys"));
    EXPECT_EQ(ReadWholeFile(dir / "kwibra.ini").status, FileStatus::Missing);
    EXPECT_TRUE(OnlyFiles({"hkey.dat"}));
}

} // namespace
