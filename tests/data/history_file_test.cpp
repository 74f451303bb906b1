#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/HistoryFile.h"

namespace {

using Texts = std::vector<std::string>;

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

TEST(DecodeHistory, StopsAtTheFirstRecordThatCannotBeReadWhole)
{
    const struct {
        const char* what;
        std::string bytes;
        Texts texts;
    } cases[] = {
        {"good", Bytes({1, 0, 2, 0, 2, 0, 'a', 'b', 4, 0}) + "表ソ", {"ab", "表ソ"}},
        {"any version above 0", Bytes({7, 0, 1, 0, 1, 0, 'x'}), {"x"}},
        {"trailing bytes ignored", Bytes({1, 0, 1, 0, 1, 0, 'x', 9, 9}), {"x"}},
        {"empty file", "", {}},
        {"half a version", Bytes({1}), {}},
        {"version 0", Bytes({0, 0, 1, 0, 1, 0, 'x'}), {}},
        {"negative version", Bytes({0xFF, 0xFF, 1, 0, 1, 0, 'x'}), {}},
        {"no count", Bytes({1, 0}), {}},
        {"half a count", Bytes({1, 0, 1}), {}},
        {"count 0", Bytes({1, 0, 0, 0, 1, 0, 'x'}), {}},
        {"negative count", Bytes({1, 0, 0xFF, 0xFF, 1, 0, 'x'}), {}},
        {"count beyond records", Bytes({1, 0, 3, 0, 1, 0, 'x'}), {"x"}},
        {"zero length", Bytes({1, 0, 2, 0, 0, 0, 1, 0, 'x'}), {}},
        {"negative length", Bytes({1, 0, 1, 0, 0xFE, 0xFF, 'x'}), {}},
        {"truncated text", Bytes({1, 0, 2, 0, 1, 0, 'x', 5, 0, 'a', 'b'}), {"x"}},
        {"half a length", Bytes({1, 0, 2, 0, 1, 0, 'x', 5}), {"x"}},
        {"lead byte cut off", Bytes({1, 0, 1, 0, 1, 0, 0x95}), {"\x95"}},
        {"text file", "0\r\n0\r\n0\t20\t-1\t1\r\n", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeHistory(c.bytes), c.texts) << c.what;
}

TEST(EncodeHistory, Layout)
{
    EXPECT_EQ(EncodeHistory({"ab", "表"}), Bytes({1, 0, 2, 0, 2, 0, 'a', 'b', 2, 0, 0x95, 0x5C}));
    EXPECT_EQ(EncodeHistory({}), Bytes({1, 0, 0, 0}));
    const std::string long300(300, 'z');
    EXPECT_EQ(EncodeHistory({long300}).substr(0, 6), Bytes({1, 0, 1, 0, 0x2C, 0x01}));
}

TEST(EncodeHistory, EmptyTextIsLeftOutSoTheEntriesAfterItSurvive)
{
    EXPECT_EQ(DecodeHistory(EncodeHistory({"a", "", "b"})), (Texts{"a", "b"}));
}

TEST(EncodeHistory, TextTooLongForItsLengthFieldIsLeftOut)
{
    const std::string fits(0x7FFF, 'f');
    const std::string tooLong(0x8000, 't');
    EXPECT_EQ(DecodeHistory(EncodeHistory({"a", tooLong, fits, "b"})), (Texts{"a", fits, "b"}));
}

TEST(EncodeHistory, KeepsTheNewestWhenTheCountDoesNotFit)
{
    Texts texts;
    for (int i = 0; i < 0x7FFF + 5; ++i)
        texts.push_back(std::to_string(i));
    const Texts back = DecodeHistory(EncodeHistory(texts));
    ASSERT_EQ(back.size(), 0x7FFFu);
    EXPECT_EQ(back.front(), "5");
    EXPECT_EQ(back.back(), texts.back());
}

TEST(HistoryRoundTrip, TextsComeBackByteForByte)
{
    const Texts texts = {"a\tb\r\nc", "ソ\\n表", "%%d", std::string(2047, 'x'), "cut\x95", " -節"};
    EXPECT_EQ(DecodeHistory(EncodeHistory(texts)), texts);
}

} // namespace
