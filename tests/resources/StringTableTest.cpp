#include "TestResources.h"
#include "data/DefaultPhraseList.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int LargeBuffer = 4096;

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

TEST(StringTable, DefaultListIsTheDataLayersListAndFitsItsBuffer)
{
    std::string full = LoadResourceString(IDS_DEFAULT_LIST, LargeBuffer);
    EXPECT_EQ(full, DefaultPhraseList());
    EXPECT_LT(full.size(), 1023u);
    EXPECT_EQ(LoadResourceString(IDS_DEFAULT_LIST, 1023), full);
}

struct StringCase {
    UINT id;
    int buffer;  // the buffer the program loads it into, in characters
    size_t lines;
};

void PrintTo(const StringCase& c, std::ostream* out)
{
    *out << "string " << c.id << " (buffer " << c.buffer << ")";
}

class StringTableCase : public testing::TestWithParam<StringCase> {};

// Every text fits the buffer it is loaded into, and a two-line text has
// exactly one LF and no CR.
TEST_P(StringTableCase, FitsItsBufferWithTheRightLineBreaks)
{
    const StringCase& c = GetParam();
    std::string full = LoadResourceString(c.id, LargeBuffer);
    ASSERT_FALSE(full.empty()) << "string " << c.id;
    EXPECT_LT(full.size(), static_cast<size_t>(c.buffer)) << "string " << c.id;
    EXPECT_EQ(LoadResourceString(c.id, c.buffer), full);
    EXPECT_EQ(static_cast<size_t>(std::count(full.begin(), full.end(), '\n')) + 1, c.lines)
        << "string " << c.id;
    EXPECT_EQ(full.find('\r'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    AllTexts, StringTableCase,
    testing::Values(StringCase{IDS_TITLE, 64, 1}, StringCase{IDS_MENU_SETTINGS, 127, 1},
                    StringCase{IDS_HELP_LINE_HOLDING, 127, 2}, StringCase{IDS_HELP_LINE, 127, 2},
                    StringCase{IDS_HELP_MENU_HOTKEY, 127, 2}, StringCase{IDS_HELP_LIST, 127, 2},
                    StringCase{IDS_HELP_OTHER_WITH_TEXT, 127, 1},
                    StringCase{IDS_HELP_OTHER_EMPTY, 127, 2},
                    StringCase{IDS_HELP_LIST_HOLDING, 127, 2},
                    StringCase{IDS_HELP_SEPARATOR, 127, 2},
                    StringCase{IDS_HELP_COLUMN_BREAK, 127, 2},
                    StringCase{IDS_MENU_ADD_CLIPBOARD, 127, 1},
                    StringCase{IDS_MENU_NON_RESIDENT, 127, 1},
                    StringCase{IDS_HELP_COMMAND_MARK, 127, 1},
                    StringCase{IDS_HELP_COMMAND_LINE, 127, 1},
                    StringCase{IDS_OPEN_FILE_TITLE, 127, 1},
                    StringCase{IDS_MEMO_COMMAND_PREFIX, 19, 1},
                    StringCase{IDS_HELP_LABEL_MARK, 127, 1}, StringCase{IDS_HELP_LABEL_LINE, 127, 2},
                    StringCase{IDS_STATUS_SAVING, 127, 2},
                    StringCase{IDS_HELP_MULTI_LINE_HOLDING, 127, 2},
                    StringCase{IDS_HELP_MULTI_LINE, 127, 1},
                    StringCase{IDS_HELP_DISPLAY_EDIT, 127, 2},
                    StringCase{IDS_HELP_CONTENT_EDIT, 127, 2},
                    StringCase{IDS_HELP_INPUT_MODE, 127, 2}, StringCase{IDS_HELP_ITEM_KIND, 127, 1},
                    StringCase{IDS_STATUS_SAVED, 127, 1}, StringCase{IDS_WELCOME_TEXT, 1023, 13},
                    StringCase{IDS_WELCOME_CAPTION, 79, 1},
                    StringCase{IDS_HELP_SECTION_MARK, 127, 1},
                    StringCase{IDS_HELP_SECTION_LINE, 127, 1},
                    StringCase{IDS_HELP_ITEM_HOTKEY, 127, 1}));

TEST(StringTable, NumbersWithoutATextStayUndefined)
{
    for (UINT id : {0u, 7u, 16u, 35u, 37u}) {
        EXPECT_EQ(LoadResourceString(id, 127), "") << "string " << id;
    }
}

struct ExactText {
    UINT id;
    const char* text;
};

// Texts the program shows or compares byte for byte, and those whose
// escapes (backslashes, %%, wide blanks) are easy to get wrong in a script.
TEST(StringTable, TextsAreByteExact)
{
    const ExactText cases[] = {
        {IDS_TITLE, "クウィブラ"},
        {IDS_MENU_SETTINGS, "編集・設定(&C)..."},
        {IDS_MENU_ADD_CLIPBOARD, "文字追加 (&I)"},
        {IDS_MENU_NON_RESIDENT, "クウィブラ 非常駐モード"},
        {IDS_MEMO_COMMAND_PREFIX, " * メモ  : "},
        {IDS_OPEN_FILE_TITLE, "「追加する文字」に挿入するファイル名を選択"},
        {IDS_WELCOME_CAPTION, "クウィブラとは..."},
        {IDS_STATUS_SAVING, "現在、入力メニュー更新及び、保存を行っています\n少し待ってください・・・"},
        {IDS_STATUS_SAVED, "入力メニュー更新及び、保存が完了しました"},
        {IDS_HELP_SEPARATOR,
         "この文字は、項目の区切り線になります。\n　　　　　　　       なお、 --> は、改行となります。"},
        {IDS_HELP_COLUMN_BREAK,
         "この文字は、項目を右横に改行します。\n　　　　　　　文字中に \\n を入れることで、そこで改行できます"},
        {IDS_HELP_MULTI_LINE, "--- ( - が 3個)なら区切り線。 %%dなら日時、 %%tなら時間"},
    };
    for (const ExactText& c : cases) {
        EXPECT_EQ(LoadResourceString(c.id, LargeBuffer), c.text) << "string " << c.id;
    }
}

TEST(StringTable, CommandExampleNamesAWindowsPathAndAWebAddress)
{
    std::string text = LoadResourceString(IDS_HELP_COMMAND_LINE, 127);
    const std::string head = "この行は実行コマンドです *メモ帳 : C:\\Windows\\notepad.exe とか、 *";
    const std::string tail = " などを書きます。";
    ASSERT_GT(text.size(), head.size() + tail.size());
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    std::string address = text.substr(head.size(), text.size() - head.size() - tail.size());
    EXPECT_EQ(address.rfind("https://", 0), 0u) << address;
    EXPECT_EQ(address.find(' '), std::string::npos) << address;
}

TEST(StringTable, WideBlanksAreIdeographicSpaces)
{
    const std::string wideBlank = "\x81\x40";
    std::string list = LoadResourceString(IDS_HELP_LIST, 127);
    EXPECT_NE(list.find("キー" + wideBlank + "や" + wideBlank + "ダブルクリック"), std::string::npos);
    for (UINT id : {IDS_HELP_SEPARATOR, IDS_HELP_COLUMN_BREAK}) {
        std::string second = SplitLines(LoadResourceString(id, 127)).at(1);
        std::string sevenBlanks;
        for (int i = 0; i < 7; ++i) {
            sevenBlanks += wideBlank;
        }
        EXPECT_EQ(second.substr(0, sevenBlanks.size()), sevenBlanks) << "string " << id;
    }
}

TEST(StringTable, WelcomeTextKeepsTheTrailByte5C)
{
    // ソ of "ソフト" is 83 5C.
    EXPECT_NE(LoadResourceString(IDS_WELCOME_TEXT, 1023).find("\x83\x5C\x83\x74\x83\x67"),
              std::string::npos);
}
