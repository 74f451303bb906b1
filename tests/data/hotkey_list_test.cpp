#include <gtest/gtest.h>

#include <vector>

#include "data/HotkeyFile.h"
#include "data/HotkeyList.h"

namespace {

std::vector<std::int32_t> Ids(const HotkeyList& list)
{
    std::vector<std::int32_t> ids;
    for (const HotkeyBinding* b = list.head(); b; b = b->next.get())
        ids.push_back(b->id);
    return ids;
}

TEST(HotkeyList, NewBindingsGoDirectlyAfterTheHead)
{
    HotkeyList list;
    EXPECT_EQ(list.head(), nullptr);
    list.Add(1, 'A', 3);
    list.Add(2, 'B', 0);
    list.Add(3, 'C', 4);
    EXPECT_EQ(Ids(list), (std::vector<std::int32_t>{1, 3, 2}));
}

TEST(HotkeyList, FindTakesTheFirstFromTheHead)
{
    HotkeyList list;
    list.Add(0, 'M', 1);
    list.Add(5, 'X', 1);
    list.Add(5, 'Y', 2);
    ASSERT_NE(list.Find(5), nullptr);
    EXPECT_EQ(list.Find(5)->virtualKey, 'Y');
    EXPECT_EQ(list.Find(0)->virtualKey, 'M');
    EXPECT_EQ(list.Find(4), nullptr);
}

TEST(HotkeyList, IdentifierIsGivenAfterAdding)
{
    HotkeyList list;
    HotkeyBinding& line = list.Add(0, 'Q', 2);
    line.id = 120;
    EXPECT_EQ(list.Find(120), &line);
    EXPECT_EQ(list.Find(0), nullptr);
}

TEST(HotkeyList, ClearReleasesEverything)
{
    HotkeyList list;
    for (int i = 0; i < 200000; ++i)
        list.Add(i, 1, 0);
    list.Clear();
    EXPECT_EQ(list.head(), nullptr);
    EXPECT_EQ(list.Find(7), nullptr);
    list.Add(9, 'Z', 0);
    EXPECT_EQ(Ids(list), std::vector<std::int32_t>{9});
}

TEST(HotkeyFile, MenuRecordsComeFromTheFirstBindingOfEachMenu)
{
    HotkeyList list;
    list.Add(2, 0x41, 3);
    list.Add(0, 0x42, 1);
    list.Add(2, 0x43, 4);
    list.Add(130, 0x44, 0);
    const std::array<HotkeyRecord, 3> records = MenuHotkeyRecords(list);
    EXPECT_EQ(records[0], (HotkeyRecord{0x42, 1}));
    EXPECT_EQ(records[1], (HotkeyRecord{0, 0}));
    EXPECT_EQ(records[2], (HotkeyRecord{0x41, 3}));
}

TEST(HotkeyFile, ReaderGivesZerosPastTheEnd)
{
    HotkeyFileReader reader(std::string_view("\x41\x03\x42", 3));
    EXPECT_EQ(reader.Next(), (HotkeyRecord{0x41, 3}));
    EXPECT_EQ(reader.Next(), (HotkeyRecord{0x42, 0}));
    EXPECT_EQ(reader.Next(), (HotkeyRecord{0, 0}));
}

TEST(HotkeyFile, EncodesMenusThenLines)
{
    const std::string bytes = EncodeHotkeyFile({HotkeyRecord{0, 0}, {0x70, 0}, {0x41, 3}}, {{0, 0}, {0x31, 6}});
    EXPECT_EQ(bytes, std::string("\0\0\x70\0\x41\x03\0\0\x31\x06", 10));
}

} // namespace
