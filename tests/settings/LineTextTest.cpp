#include <gtest/gtest.h>

#include <string>

#include "settings/LineText.h"

namespace {

struct TextCase {
    const char* name;
    std::string input;
    std::string expected;
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class EscapeTest : public testing::TestWithParam<TextCase> {};

TEST_P(EscapeTest, TurnsEveryLineBreakIntoBackslashN) {
    EXPECT_EQ(GetParam().expected, EscapeLineBreaks(GetParam().input));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EscapeTest,
    testing::Values(TextCase{"empty", "", ""}, TextCase{"crlf", "a\r\nb", "a\\nb"},
                    TextCase{"lone lf", "a\nb", "a\\nb"}, TextCase{"lone cr", "a\rb", "a\\nb"},
                    TextCase{"lf then cr is two breaks", "a\n\rb", "a\\n\\nb"},
                    TextCase{"breaks at both ends", "\r\nx\r\n", "\\nx\\n"},
                    TextCase{"escape already there stays", "a\\nb", "a\\nb"},
                    TextCase{"so and hyou keep their 5C", "\x83\x5C\r\n\x95\x5C", "\x83\x5C\\n\x95\x5C"}));

class UnescapeTest : public testing::TestWithParam<TextCase> {};

TEST_P(UnescapeTest, TurnsBackslashNIntoCrLf) {
    EXPECT_EQ(GetParam().expected, UnescapeLineBreaks(GetParam().input));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UnescapeTest,
    testing::Values(TextCase{"empty", "", ""}, TextCase{"one escape", "a\\nb", "a\r\nb"},
                    TextCase{"two escapes", "\\n\\n", "\r\n\r\n"},
                    TextCase{"backslash alone at the end", "a\\", "a\\"},
                    TextCase{"no escape for a literal backslash", "\\\\n", "\\\r\n"},
                    TextCase{"other letters", "\\t\\N", "\\t\\N"},
                    TextCase{"so followed by n is a character", "\x83\x5Cn", "\x83\x5Cn"},
                    TextCase{"hyou followed by n is a character", "\x95\x5Cn\\n", "\x95\x5Cn\r\n"},
                    TextCase{"lead byte cut off at the end", "\\n\x83", "\r\n\x83"}));

TEST(LineKinds, SeparatorsAndEscapeKeepingLines) {
    EXPECT_TRUE(IsSeparatorOrBreak("---"));
    EXPECT_TRUE(IsSeparatorOrBreak("-->"));
    for (const char* line : {"", "--", "----", " ---", "--->", "->"})
        EXPECT_FALSE(IsSeparatorOrBreak(line)) << line;
    for (const char* line : {" *a", " -a", " *\\n"}) EXPECT_TRUE(KeepsEscapes(line)) << line;
    for (const char* line : {" *", " -", " +a", "*a", "  *a", ""}) EXPECT_FALSE(KeepsEscapes(line)) << line;
}

struct DecomposeCase {
    const char* line;
    ItemKind kind;
    const char* display;
    const char* content;  // null: the content field keeps its text
};

TEST(DecomposeLineText, EachKindIntoDisplayAndContent) {
    const DecomposeCase cases[] = {
        {"plain", ItemKind::Text, "plain", "plain"},
        {"", ItemKind::Text, "", ""},
        {"---", ItemKind::Separator, "---", "---"},
        {"-->", ItemKind::ColumnBreak, "-->", "-->"},
        {" *notepad", ItemKind::Command, "notepad", "notepad"},
        {" *メモ : C:\\a.txt", ItemKind::Command, "メモ", "C:\\a.txt"},
        {" * : x", ItemKind::Command, "", "x"},
        {" *", ItemKind::Command, "", ""},
        {" + パスワード : 57213", ItemKind::Text, " パスワード", "57213"},
        {" +a : b : c", ItemKind::Text, "a", "b : c"},
        {" +--- : ---", ItemKind::Text, "---", "---"},
        {" +\x83\x5C : \x95\x5C", ItemKind::Text, "\x83\x5C", "\x95\x5C"},
        {" -メニュー", ItemKind::Section, "メニュー", nullptr},
        {" -a : b", ItemKind::Section, "a : b", nullptr},
        {" x", ItemKind::Text, " x", " x"},
        {"*a", ItemKind::Text, "*a", "*a"},
    };
    for (const DecomposeCase& c : cases) {
        SCOPED_TRACE(c.line);
        const LineParts parts = DecomposeLineText(c.line);
        EXPECT_EQ(c.kind, parts.kind);
        EXPECT_EQ(c.display, parts.display);
        if (c.content)
            EXPECT_EQ(std::optional<std::string>(c.content), parts.content);
        else
            EXPECT_FALSE(parts.content.has_value());
    }
}

TEST(DecomposeLineText, ComposingThePartsGivesTheLineBack) {
    for (const char* line : {"abc", "", " +a : b", " + パスワード : 57213", " *notepad", " *a : C:\\b", " -menu",
                             " -", "---", "-->", " +--- : ---", " +--> : -->"}) {
        const LineParts parts = DecomposeLineText(line);
        EXPECT_EQ(line, ComposeLineText(parts.kind, parts.display, parts.content.value_or(""))) << line;
    }
}

TEST(CommandLineForPath, FileNameWithoutExtensionOrMemoPrefix) {
    const std::string memo = " * メモ  : ";
    const struct {
        const char* path;
        std::string line;
    } cases[] = {
        {"C:\\dir\\file.txt", " * file : C:\\dir\\file.txt"},
        {"C:/dir/file.txt", " * file : C:/dir/file.txt"},
        {"C:\\dir\\archive.tar.gz", " * archive.tar : C:\\dir\\archive.tar.gz"},
        {"C:\\dir\\.txt", " *  : C:\\dir\\.txt"},
        {"file.txt", memo + "file.txt"},
        {"C:\\dir\\file", memo + "C:\\dir\\file"},
        {".profile", memo + ".profile"},
        {"\\.x", memo + "\\.x"},
        // The last "." of the whole path counts, even in a directory name.
        {"C:\\my.dir\\file", " * my : C:\\my.dir\\file"},
        // Second bytes 5C of ソ and 表 are no separators.
        {"C:\\表\\ソ.txt", " * ソ : C:\\表\\ソ.txt"},
        {"C:\\data\\表.txt", " * 表 : C:\\data\\表.txt"},
        {"表.txt", memo + "表.txt"},
        {"C:\\a.b\x83", " * a : C:\\a.b\x83"},
        {"", memo},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.line, CommandLineForPath(c.path, memo));
    }
}

}  // namespace
