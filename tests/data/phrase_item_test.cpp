#include <gtest/gtest.h>

#include <string>

#include "FakePlatform.h"
#include "data/PhraseItem.h"

namespace {

constexpr IconHandle Note = 0x7700;
constexpr IconHandle Clipboard = 0x7800;

enum class Icon { None, Label, Shell };

struct GrammarCase {
    const char* line;
    std::string content;
    std::string label;
    std::uint32_t flags;
    Icon icon;
};

class PhraseItemTest : public ::testing::Test {
protected:
    void ExpectParsed(const GrammarCase& c, bool fromClipboard = false)
    {
        PhraseItem item;
        item.Parse(c.line, fromClipboard);
        SCOPED_TRACE(c.line);
        EXPECT_EQ(item.content, c.content);
        EXPECT_EQ(item.label, c.label);
        EXPECT_EQ(item.flags, c.flags);
        switch (c.icon) {
        case Icon::None:
            EXPECT_EQ(item.iconHandle, 0u);
            break;
        case Icon::Label:
            EXPECT_EQ(item.iconHandle, Note);
            EXPECT_EQ(item.iconState, 0);
            break;
        case Icon::Shell:
            EXPECT_EQ(item.iconHandle, FakePlatform::SmallList);
            EXPECT_EQ(item.iconState, shell.imageCount);
            break;
        }
    }

    FakePlatform shell;
};

// The shell knows the files and the folder; the label icon is loaded.
class WithIcons : public PhraseItemTest {
protected:
    WithIcons()
    {
        shell.known = {{"C:\\", 3}, {"C:\\Windows\\notepad.exe", 7}, {"C:\\kwibra", 4}, {"new.url", 9}};
    }
    IconGlobals globals{Note, Clipboard};
};

// No icon anywhere: the markers stay in the labels.
class WithoutIcons : public PhraseItemTest {
protected:
    IconGlobals globals{0};
};

TEST_F(WithIcons, GrammarOfLines)
{
    const GrammarCase cases[] = {
        {"＾＾；", "＾＾；", "", 0x01, Icon::None},
        {"", "", "", 0x01, Icon::None},
        {"   indented", "   indented", "", 0x01, Icon::None},
        {" + 表示と入力される文字を別にする : ここが、入力される内容",
         " + 表示と入力される文字を別にする : ここが、入力される内容", "表示と入力される文字を別にする", 0x05,
         Icon::Label},
        {" +ラベル : a : b", " +ラベル : a : b", "ラベル", 0x05, Icon::Label},
        {" + no separator", " + no separator", "", 0x01, Icon::None},
        {" + a:b", " + a:b", "", 0x01, Icon::None},
        {" * メモ帳 (&N) : C:\\Windows\\notepad.exe", " * メモ帳 (&N) : C:\\Windows\\notepad.exe", "メモ帳 (&N)",
         0x06, Icon::Shell},
        {" * C:\\", " * C:\\", "C:\\", 0x06, Icon::Shell},
        {" *   C:\\", " *   C:\\", "C:\\", 0x06, Icon::Shell},
        {" * notepad", " * notepad", "", 0x02, Icon::None},
        {" * 説明 (&R) : kwibra.txt", " * 説明 (&R) : kwibra.txt", " * 説明 (&R)", 0x06, Icon::None},
        {" * 二つ : C:\\ : x", " * 二つ : C:\\ : x", " * 二つ", 0x06, Icon::None},
        {" *label:C:\\", " *label:C:\\", "", 0x02, Icon::None},
        {" * ホーム (&O) : https://kwibra.example.jp/", " * ホーム (&O) : https://kwibra.example.jp/", "ホーム (&O)",
         0x06, Icon::Shell},
        {" *メール[作者宛] (&M) : mailto:a@b.jp", " *メール[作者宛] (&M) : mailto:a@b.jp", "メール[作者宛] (&M)",
         0x06, Icon::Shell},
        {" -新しいメニュー(&N)", " -新しいメニュー(&N)", "新しいメニュー(&N)", 0x14, Icon::Shell},
        {" -a\tb", " -a\tb", "a\tb", 0x14, Icon::Shell},
        {"---", "---", "", 0x01, Icon::None},
        {"-->", "-->", "", 0x01, Icon::None},
        {"--- 区切り", "--- 区切り", "", 0x01, Icon::None},
        // Markers need exactly one space and at least three bytes.
        {"  * C:\\", "  * C:\\", "", 0x01, Icon::None},
        {"* C:\\", "* C:\\", "", 0x01, Icon::None},
        {" *", " *", "", 0x01, Icon::None},
        {" +", " +", "", 0x01, Icon::None},
        {" -", " -", "", 0x01, Icon::None},
        {" x y", " x y", "", 0x01, Icon::None},
    };
    for (const GrammarCase& c : cases)
        ExpectParsed(c);
}

TEST_F(WithoutIcons, MarkersStayWithoutIcon)
{
    const GrammarCase cases[] = {
        {" + 表示 : 内容", " + 表示 : 内容", " + 表示", 0x05, Icon::None},
        {" * メモ帳 (&N) : C:\\Windows\\notepad.exe", " * メモ帳 (&N) : C:\\Windows\\notepad.exe", " * メモ帳 (&N)",
         0x06, Icon::None},
        {" * C:\\", " * C:\\", "", 0x02, Icon::None},
        {" * ホーム : https://kwibra.example.jp/", " * ホーム : https://kwibra.example.jp/", " * ホーム", 0x06,
         Icon::None},
        {" -新しいメニュー(&N)", " -新しいメニュー(&N)", "新しいメニュー(&N)", 0x14, Icon::None},
    };
    for (const GrammarCase& c : cases)
        ExpectParsed(c);
}

TEST_F(WithoutIcons, LabelOfNoIconKeepsState)
{
    PhraseItem item;
    item.Parse(" + a : b", false);
    EXPECT_EQ(item.iconState, -1);
    item.Parse(" -section", false);
    EXPECT_EQ(item.iconState, 0);
}

TEST_F(WithIcons, Normalisation)
{
    const struct {
        std::string line;
        std::string content;
    } cases[] = {
        {"a\tb", "a        b"},
        {"a\r\nb", "a\\nb"},
        {"a\rb", "a\\nb"},
        {"a\nb", "a\\nb"},
        {"a\n\rb", "a\\n\\nb"},
        {"a\r\r\nb", "a\\n\\nb"},
        {"\r\n", "\\n"},
        {"a\x01" "b\x1f", "a b "},
        {std::string("a\0b", 3), "a b"},
        {"a\x7f" "b", "a\x7f" "b"},
        {"表ソ", "表ソ"},
        {"cut\x95", "cut\x95"},
    };
    for (const auto& c : cases) {
        PhraseItem item;
        item.Parse(c.line, false);
        EXPECT_EQ(item.content, c.content) << c.line;
    }
}

TEST_F(WithIcons, MarkerSeenAfterNormalisation)
{
    PhraseItem item;
    item.Parse(" *\tC:\\", false);
    EXPECT_EQ(item.content, " *        C:\\");
    EXPECT_EQ(item.label, "C:\\");
    EXPECT_EQ(item.iconHandle, FakePlatform::SmallList);
}

TEST_F(WithIcons, LabelShortening)
{
    const std::string a39(39, 'a');
    const struct {
        std::string line;
        std::string label;
    } cases[] = {
        {a39, ""},
        {a39 + "b", a39 + "b..."},
        {a39 + "bc", a39 + "b..."},
        {a39 + "表x", a39 + "..."},      // 40th byte is a lead byte: cut before it
        {a39 + "\x95", a39 + "..."},     // lead byte without its second byte at the very end
        {"a" + std::string(37, 'b') + "ソソ", "a" + std::string(37, 'b') + "ソ..."},
        {"a" + std::string(38, 'b') + "ソソ", "a" + std::string(38, 'b') + "..."},
        {std::string("ソソソソソソソソソソソソソソソソソソソソソ"), "ソソソソソソソソソソソソソソソソソソソソ..."},
        {a39 + "\xb1" "x", a39 + "..."}, // every byte from 0x80 counts as a lead byte
        {" + " + std::string(45, 'L') + " : text", std::string(40, 'L') + "..."},
    };
    for (const auto& c : cases) {
        PhraseItem item;
        item.Parse(c.line, false);
        SCOPED_TRACE(c.line);
        EXPECT_EQ(item.label, c.label);
        EXPECT_EQ(item.DisplayText(), c.label.empty() ? c.line : c.label);
        EXPECT_EQ(item.content, c.line);
        const bool shortened = !c.label.empty();
        EXPECT_EQ(item.flags, shortened ? 0x05u : 0x01u);
        EXPECT_EQ(item.iconHandle, shortened ? Note : 0u);
    }
}

TEST_F(WithIcons, ClipboardEntries)
{
    const GrammarCase cases[] = {
        {"short", "short", "", 0x15, Icon::Label},
        {"a\tb\r\nc", "a\tb\r\nc", "a        b\\nc", 0x15, Icon::Label},
        {" * C:\\", " * C:\\", "", 0x15, Icon::Label},
        {" -section", " -section", "", 0x15, Icon::Label},
        {"", "", "", 0x15, Icon::Label},
    };
    for (const GrammarCase& c : cases)
        ExpectParsed(c, true);

    const std::string fifty(50, 'x');
    PhraseItem item;
    item.Parse(fifty, true);
    EXPECT_EQ(item.label, std::string(40, 'x') + "...");
    EXPECT_EQ(item.content, fifty);
}

TEST_F(WithIcons, IconLookupAsksTheShellAboutTheTarget)
{
    PhraseItem item;
    item.Parse(" * メモ帳 :   C:\\Windows\\notepad.exe", false);
    ASSERT_FALSE(shell.asked.empty());
    EXPECT_EQ(shell.asked.front(), "C:\\Windows\\notepad.exe");
    EXPECT_EQ(item.iconIndex, 7);
}

TEST_F(WithIcons, WebAndMailTargetsUseTheShortcutIcon)
{
    const char* prefixes[] = {"http://", "https:", "ftp:", "telnet:", "mailto:", "news:", "RLogin:", "Snews:"};
    for (const char* prefix : prefixes) {
        shell.asked.clear();
        PhraseItem item;
        item.Parse(std::string(" * web : ") + prefix + "example", false);
        EXPECT_EQ(item.iconIndex, 9) << prefix;
        EXPECT_EQ(item.label, "web") << prefix;
        EXPECT_EQ(shell.asked.back(), "new.url");
    }
    // Case matters, and the address may stand anywhere in the line.
    PhraseItem upper;
    upper.Parse(" * web : HTTP://example", false);
    EXPECT_EQ(upper.iconHandle, 0u);
    PhraseItem inLabel;
    inLabel.Parse(" * http://label : unknown", false);
    EXPECT_EQ(inLabel.iconIndex, 9);
    PhraseItem ownIcon;
    ownIcon.Parse(" * http://label : C:\\", false);
    EXPECT_EQ(ownIcon.iconIndex, 3);
}

TEST_F(WithIcons, WebTargetWithoutShortcutFileHasNoIcon)
{
    shell.known.erase("new.url");
    PhraseItem item;
    item.Parse(" * https://portal.example.jp/", false);
    EXPECT_EQ(item.iconHandle, 0u);
    EXPECT_EQ(item.label, "");
    EXPECT_EQ(item.DisplayText(), " * https://portal.example.jp/");
}

TEST_F(WithIcons, SectionTakesTheCurrentDirectoryIcon)
{
    shell.directory = "D:\\作業";
    shell.known["D:\\作業"] = 12;
    PhraseItem item;
    item.Parse(" -よく使う文字(&U)", false);
    EXPECT_EQ(shell.asked.back(), "D:\\作業");
    EXPECT_EQ(item.iconIndex, 12);
}

TEST_F(WithIcons, LargeIconSizeUsesLargeList)
{
    iconSize = 32;
    PhraseItem item;
    item.Parse(" * C:\\", false);
    EXPECT_EQ(item.iconHandle, FakePlatform::LargeList);
    iconSize = 16;
    item.ResolveIcon();
    EXPECT_EQ(item.iconHandle, FakePlatform::SmallList);
}

TEST_F(WithIcons, FixedIconsAreNeverLookedUpAgain)
{
    PhraseItem header;
    header.label = "クリップボード履歴(&C)";
    header.SetFixedIcon(HistoryIcon);
    header.ResolveIcon();
    EXPECT_EQ(header.iconHandle, Clipboard);
    EXPECT_EQ(header.iconState, 0);
    EXPECT_TRUE(shell.asked.empty());

    PhraseItem none;
    none.SetFixedIcon(0);
    EXPECT_EQ(none.iconState, -1);
}

TEST_F(WithIcons, ReparseResolvesAfresh)
{
    shell.known.erase("C:\\kwibra");
    PhraseItem item;
    item.Parse(" -よく使う文字(&U)", false);
    EXPECT_EQ(item.iconHandle, 0u);
    shell.known["C:\\kwibra"] = 21;
    item.Parse(" -よく使う文字(&U)", false);
    EXPECT_EQ(item.iconIndex, 21);
}

TEST_F(WithIcons, ChangedImageListIsResolvedAgain)
{
    PhraseItem item;
    item.Parse(" * C:\\", false);
    shell.imageCount = 41;
    shell.known["C:\\"] = 40;
    item.ResolveIcon();
    EXPECT_EQ(item.iconState, 41);
    EXPECT_EQ(item.iconIndex, 40);
}

} // namespace
