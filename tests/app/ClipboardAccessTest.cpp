// The application's clipboard access on the real clipboard of Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ClipboardTestSupport.h"
#include "app/ClipboardAccess.h"

namespace {

std::optional<std::string> ReadText(std::size_t limit)
{
    ClipboardSession clipboard(nullptr);
    if (!clipboard.IsOpen())
        return std::string("(clipboard not open)");
    return OpenClipboardText(limit);
}

bool ReadPrivate()
{
    ClipboardSession clipboard(nullptr);
    return clipboard.IsOpen() && ClipboardIsPrivate();
}

const std::string hyou = "\x95\x5C"; // 表: its second byte is a backslash
const std::string so = "\x83\x5C";   // ソ

TEST(ClipboardText, IsCutWithoutSplittingACharacter)
{
    const struct {
        const char* name;
        std::string text;
        std::size_t limit;
        std::string expected;
    } cases[] = {
        {"short text whole", "a" + so + hyou + "\\n", 2047, "a" + so + hyou + "\\n"},
        {"character ends at the limit", std::string(2045, 'x') + hyou, 2047, std::string(2045, 'x') + hyou},
        {"character across the limit", std::string(2046, 'x') + hyou + "y", 2047, std::string(2046, 'x')},
        {"single bytes cut at the limit", std::string(3000, 'z'), 2047, std::string(2047, 'z')},
        {"second byte 0x5C kept with its lead", so + so + so, 5, so + so},
        {"lead byte cut off at the end of the text", "ab\x95", 2047, "ab\x95"},
        {"half-width katakana are single bytes", "\xB1\xB2\xB3", 2, "\xB1\xB2"},
        {"empty text", "", 2047, ""},
    };
    for (const auto& c : cases) {
        SetClipboardText(c.text);
        EXPECT_EQ(ReadText(c.limit), c.expected) << c.name;
    }
}

TEST(ClipboardText, BlockWithoutTerminatorEndsAtItsSize)
{
    SetClipboard({{nullptr, "abcd"}});
    const auto text = ReadText(2047);
    ASSERT_TRUE(text.has_value());
    // Wine itself may end such a block one byte early; nothing beyond it is read.
    EXPECT_TRUE(*text == "abcd" || *text == "abc") << *text;
}

TEST(ClipboardText, NoTextIsNone)
{
    SetClipboard({{"KwibraTestBinary", "\x01\x02"}});
    EXPECT_EQ(ReadText(2047), std::nullopt);
}

TEST(ClipboardPrivacy, MarkedContentsArePrivate)
{
    const struct {
        const char* name;
        std::vector<ClipboardFormat> extra;
        bool isPrivate;
    } cases[] = {
        {"plain text", {}, false},
        {"excluded from monitors", {{ExcludeFromMonitorFormat, DwordBytes(0)}}, true},
        {"viewer ignore", {{ViewerIgnoreFormat, DwordBytes(0)}}, true},
        {"history forbidden", {{HistoryPermissionFormat, DwordBytes(0)}}, true},
        {"history allowed", {{HistoryPermissionFormat, DwordBytes(1)}}, false},
        {"history permission too short to read", {{HistoryPermissionFormat, std::string(2, '\0')}}, false},
        {"another registered format", {{"KwibraTestOther", DwordBytes(0)}}, false},
    };
    for (const auto& c : cases) {
        std::vector<ClipboardFormat> formats{{nullptr, std::string("secret") + '\0'}};
        formats.insert(formats.end(), c.extra.begin(), c.extra.end());
        SetClipboard(formats);
        EXPECT_EQ(ReadPrivate(), c.isPrivate) << c.name;
    }
}

TEST(ClipboardWrite, PutsTheTextMarkedForWatchers)
{
    const std::string text = "改行\r\n" + hyou + so;
    {
        ClipboardSession clipboard(nullptr);
        ASSERT_TRUE(clipboard.IsOpen());
        ASSERT_TRUE(PutClipboardText(text));
    }
    EXPECT_EQ(ReadText(2047), text);
    EXPECT_TRUE(ReadPrivate());
}

TEST(ClipboardSession, WaitsForAClipboardHeldForAnInstant)
{
    SetClipboardText("held");
    ClipboardHolder holder(5);
    ClipboardSession clipboard(nullptr);
    EXPECT_TRUE(clipboard.IsOpen());
}

TEST(ClipboardSession, GivesUpOnAClipboardHeldLonger)
{
    SetClipboardText("held");
    ClipboardHolder holder(INFINITE);
    EXPECT_FALSE(OpenClipboard(nullptr)) << "the clipboard must be held by the other thread";
    ClipboardSession clipboard(nullptr);
    EXPECT_FALSE(clipboard.IsOpen());
}

} // namespace
