// The application's clipboard access on the real clipboard of Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/ClipboardAccess.h"

namespace {

struct Format {
    const char* name; // a registered name, or null for CF_TEXT
    std::string bytes;
};

std::string Dword(DWORD value)
{
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// Replaces the clipboard contents by the given formats, byte for byte (a
// CF_TEXT block therefore needs its own terminating zero).
void SetClipboard(const std::vector<Format>& formats)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    for (const auto& format : formats) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, format.bytes.size());
        std::memcpy(GlobalLock(memory), format.bytes.data(), format.bytes.size());
        GlobalUnlock(memory);
        const UINT id = format.name ? RegisterClipboardFormatA(format.name) : CF_TEXT;
        EXPECT_TRUE(SetClipboardData(id, memory));
    }
    CloseClipboard();
}

void SetText(const std::string& text)
{
    SetClipboard({{nullptr, text + '\0'}});
}

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
        SetText(c.text);
        EXPECT_EQ(ReadText(c.limit), c.expected) << c.name;
    }
}

TEST(ClipboardText, BlockWithoutTerminatorEndsAtItsSize)
{
    SetClipboard({{nullptr, "abcd"}});
    const auto text = ReadText(2047);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->substr(0, 4), "abcd");
    EXPECT_LE(text->size(), 16u) << "read beyond the block";
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
        std::vector<Format> extra;
        bool isPrivate;
    } cases[] = {
        {"plain text", {}, false},
        {"excluded from monitors", {{ExcludeFromMonitorFormat, Dword(0)}}, true},
        {"viewer ignore", {{ViewerIgnoreFormat, Dword(0)}}, true},
        {"history forbidden", {{HistoryPermissionFormat, Dword(0)}}, true},
        {"history allowed", {{HistoryPermissionFormat, Dword(1)}}, false},
        {"history permission too short to read", {{HistoryPermissionFormat, std::string(2, '\0')}}, false},
        {"another registered format", {{"KwibraTestOther", Dword(0)}}, false},
    };
    for (const auto& c : cases) {
        std::vector<Format> formats{{nullptr, std::string("secret") + '\0'}};
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

// Another thread of the process holds the clipboard open while the session
// tries to open it.
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD holdMs) : thread_([this, holdMs] { Hold(holdMs); })
    {
        while (!held_)
            Sleep(1);
    }
    ~ClipboardHolder()
    {
        release_ = true;
        thread_.join();
    }

private:
    void Hold(DWORD holdMs)
    {
        if (!OpenClipboard(nullptr))
            ADD_FAILURE() << "the holder could not open the clipboard";
        held_ = true;
        const ULONGLONG end = GetTickCount64() + holdMs;
        while (!release_ && GetTickCount64() < end)
            Sleep(1);
        CloseClipboard();
    }

    std::atomic<bool> held_{false};
    std::atomic<bool> release_{false};
    std::thread thread_;
};

TEST(ClipboardSession, WaitsForAClipboardHeldForAnInstant)
{
    SetText("held");
    ClipboardHolder holder(5);
    ClipboardSession clipboard(nullptr);
    EXPECT_TRUE(clipboard.IsOpen());
}

TEST(ClipboardSession, GivesUpOnAClipboardHeldLonger)
{
    SetText("held");
    ClipboardHolder holder(INFINITE);
    EXPECT_FALSE(OpenClipboard(nullptr)) << "the clipboard must be held by the other thread";
    ClipboardSession clipboard(nullptr);
    EXPECT_FALSE(clipboard.IsOpen());
}

} // namespace
