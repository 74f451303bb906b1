#include <gtest/gtest.h>

#include <string>

#include "FakePlatform.h"
#include "data/PhraseItem.h"

namespace {

class OutputTextTest : public ::testing::Test {
protected:
    std::string Output(const std::string& line, bool fromClipboard = false)
    {
        PhraseItem item;
        item.Parse(line, fromClipboard);
        return item.OutputText();
    }

    FakePlatform shell;
    IconGlobals globals{0x7700};
};

TEST_F(OutputTextTest, TextItems)
{
    const std::string date = shell.date;
    const std::string time = shell.time;
    const struct {
        std::string line;
        std::string output;
    } cases[] = {
        {"改行は\\n、日付は%%d、時刻は%%tをいれます",
         "改行は\r\n、日付は" + date + "、時刻は" + time + "をいれます"},
        {" + 今日 : %%d", date},
        {" + 表示 : 入力 : 続き", "入力 : 続き"},
        {" +no separator", "no separator"},
        {"  two spaces", "  two spaces"},
        {"%%%d", "%" + date},
        {"%d %t %%", "%d %t %%"},
        {"%%d%%d", date + date},
        {"%%t%%d", time + date},
        {"C:\\new\\notes", "C:\r\new\r\notes"},
        {"a\\\\nb", "a\\\r\nb"},
        {"a\tb", "a        b"},
        {"end\\", "end\\"},
        // A backslash that is the second byte of ソ or 表 is no escape.
        {"ソn", "ソn"},
        {"表\\n", "表\r\n"},
        {"\xb1\\n", "\xb1\r\n"}, // half-width katakana is one byte
        {"cut\x95", "cut\x95"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Output(c.line), c.output) << c.line;
}

TEST_F(OutputTextTest, CommandItemsAreNotExpanded)
{
    const struct {
        const char* line;
        const char* output;
    } cases[] = {
        {" * C:\\new %%d %%t", "C:\\new %%d %%t"},
        {" * メモ帳 (&N) :    C:\\Windows\\notepad.exe", "C:\\Windows\\notepad.exe"},
        {" * a : C:\\ : b", "C:\\ : b"},
        {" *notepad", "notepad"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Output(c.line), c.output) << c.line;
}

TEST_F(OutputTextTest, VerbatimItemsAreUnchanged)
{
    EXPECT_EQ(Output("a%%d\\n\tb\r\n", true), "a%%d\\n\tb\r\n");
    EXPECT_EQ(Output(" -節%%d\\n"), " -節%%d\\n");
}

TEST_F(OutputTextTest, ClockIsReadAtEveryCall)
{
    PhraseItem item;
    item.Parse("[%%t]", false);
    EXPECT_EQ(item.OutputText(), "[19:05:33]");
    shell.time = "19:05:34";
    EXPECT_EQ(item.OutputText(), "[19:05:34]");
}

TEST_F(OutputTextTest, UnformattableClockInsertsNothing)
{
    shell.date.clear();
    shell.time.clear();
    EXPECT_EQ(Output("[%%d|%%t]"), "[|]");
}

TEST_F(OutputTextTest, DateHoldingTheEscapeIsInsertedOnce)
{
    shell.date = "%%d!";
    shell.time = "%%t%%d";
    EXPECT_EQ(Output("a%%db%%dc"), "a%%d!b%%d!c");
    EXPECT_EQ(Output("%%t"), "%%t%%d");
}

} // namespace
