#include <gtest/gtest.h>

#include <string>

#include "data/DefaultPhraseList.h"
#include "data/PhraseItem.h"
#include "data/SettingsFile.h"

namespace {

TEST(DefaultPhraseList, FitsTheResourceBufferAndEndsWithALineFeed)
{
    const std::string list = DefaultPhraseList();
    EXPECT_LT(list.size(), 1023u);
    EXPECT_EQ(list.back(), '\n');
    EXPECT_EQ(list.find('\r'), std::string::npos);
    EXPECT_EQ(list.find("\x95\x5C\x8E\xA6"), list.find(" + ") + 3); // 表示 in Shift-JIS
}

TEST(DefaultPhraseList, DecodesToThePhraseMenuHotkeyAndTwentyTwoLines)
{
    AppSettings options{1, 7, 0};
    const DecodedSettings settings = DecodeSettings(DefaultPhraseList(), {}, options);
    EXPECT_EQ(options.tildeOnShiftZero, 0);
    EXPECT_EQ(options.historyLimit, 7);
    EXPECT_EQ(options.waitForKeyRelease, 0);
    EXPECT_EQ(settings.menuHotkeys[0], (HotkeyRecord{0, 0}));
    EXPECT_EQ(settings.menuHotkeys[1], (HotkeyRecord{0, 0}));
    EXPECT_EQ(settings.menuHotkeys[2], (HotkeyRecord{0x41, 3}));
    ASSERT_EQ(settings.lines.size(), 22u);
    EXPECT_EQ(settings.lines.front().text, "＾＾；");
    EXPECT_EQ(settings.lines[6].text, "改行は\\n、日付は%%d、時刻は%%tをいれます");
    EXPECT_EQ(settings.lines[16].text, " * C:\\");
    EXPECT_EQ(settings.lines.back().text, "にゃお！");

    // One section line, at list line 22 of the file.
    int sections = 0;
    for (const SettingsLine& line : settings.lines) {
        PhraseItem item;
        item.Parse(line.text, false);
        if (item.flags & PhraseItem::ItemVerbatim) {
            ++sections;
            EXPECT_EQ(item.label, "新しいメニュー(&N)");
        }
    }
    EXPECT_EQ(sections, 1);
}

TEST(DefaultPhraseList, FirstSaveWritesTheExpectedFilesAndReadsBack)
{
    AppSettings options;
    const DecodedSettings loaded = DecodeSettings(DefaultPhraseList(), {}, options);
    const EncodedSettings files = EncodeSettings(options, loaded.menuHotkeys, loaded.lines);

    EXPECT_EQ(files.settingsBytes.substr(0, 17), "0\r\n0\r\n0\t20\t-1\t1\r\n");
    EXPECT_EQ(files.hkeyBytes, std::string("\0\0\0\0\x41\x03", 6) + std::string(44, '\0'));

    AppSettings again;
    const DecodedSettings reloaded = DecodeSettings(files.settingsBytes, files.hkeyBytes, again);
    EXPECT_EQ(reloaded.menuHotkeys, loaded.menuHotkeys);
    ASSERT_EQ(reloaded.lines.size(), loaded.lines.size());
    for (std::size_t i = 0; i < loaded.lines.size(); ++i)
        EXPECT_EQ(reloaded.lines[i].text, loaded.lines[i].text);
    EXPECT_EQ(files.settingsBytes.substr(17), [&] {
        std::string body = DefaultPhraseList().substr(DefaultPhraseList().find("＾"));
        for (std::size_t at = 0; (at = body.find('\n', at)) != std::string::npos; at += 2)
            body.insert(at, "\r");
        return body;
    }());
}

} // namespace
