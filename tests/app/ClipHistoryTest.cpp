// The clipboard history menu and "clip.dat", in a fresh current directory per test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuTestSupport.h"
#include "menus/MenuIds.h"

namespace {

std::vector<std::string> Contents(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < EntryCount(menu); ++i) texts.push_back(EntryAt(menu, i).record->content);
    return texts;
}

std::vector<UINT> ExpectedIds(int count) {
    std::vector<UINT> ids;
    for (int i = 0; i < count; ++i) ids.push_back(static_cast<UINT>(FIRST_HISTORY_COMMAND_ID + i));
    return ids;
}

// "clip.dat" as written: version 1, the count, then length and bytes per text.
std::string ClipFile(const std::vector<std::string>& texts) {
    auto int16 = [](std::size_t v) {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    };
    std::string bytes = int16(1) + int16(texts.size());
    for (const std::string& text : texts) bytes += int16(text.size()) + text;
    return bytes;
}

class ClipHistory : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(app->LoadSettings(true), SettingsSource::Missing); }
    TempDirectory directory;
    AppUnderTest app;
};

TEST_F(ClipHistory, DuplicateMovesToTheBottomWithItsRecord) {
    for (const char* text : {"A", "B", "C"}) app->AddHistoryEntry(text);
    const PhraseItem* first = EntryAt(app->HistoryMenu, 0).record;
    app->AddHistoryEntry("A");
    EXPECT_EQ(Contents(app->HistoryMenu), (std::vector<std::string>{"B", "C", "A"}));
    EXPECT_EQ(EntryIds(app->HistoryMenu), ExpectedIds(3));
    EXPECT_EQ(EntryAt(app->HistoryMenu, 2).record, first);
    // Only the exact text is the same entry.
    app->AddHistoryEntry("a");
    app->AddHistoryEntry("A ");
    EXPECT_EQ(Contents(app->HistoryMenu), (std::vector<std::string>{"B", "C", "A", "a", "A "}));
}

TEST_F(ClipHistory, LimitRemovesTheOldest) {
    const struct {
        int limit;
        int added;
        int kept;
    } cases[] = {{20, 21, 20}, {20, 5, 5}, {1, 3, 1}, {0, 3, 0}, {-4, 3, 0}, {3, 3, 3}};
    for (const auto& c : cases) {
        app->ClearHistory();
        app->options.historyLimit = c.limit;
        for (int i = 0; i < c.added; ++i) app->AddHistoryEntry("text" + std::to_string(i));
        ASSERT_EQ(EntryCount(app->HistoryMenu), c.kept) << c.limit;
        EXPECT_EQ(EntryIds(app->HistoryMenu), ExpectedIds(c.kept)) << c.limit;
        if (c.kept > 0) {
            EXPECT_EQ(EntryAt(app->HistoryMenu, c.kept - 1).record->content,
                      "text" + std::to_string(c.added - 1));
            EXPECT_EQ(EntryAt(app->HistoryMenu, 0).record->content,
                      "text" + std::to_string(c.added - c.kept));
        }
    }
}

TEST_F(ClipHistory, LoweringTheLimitCutsAtOnce) {
    for (int i = 0; i < 10; ++i) app->AddHistoryEntry("t" + std::to_string(i));
    app->options.historyLimit = 4;
    app->TrimHistory();
    EXPECT_EQ(Contents(app->HistoryMenu), (std::vector<std::string>{"t6", "t7", "t8", "t9"}));
    EXPECT_EQ(EntryIds(app->HistoryMenu), ExpectedIds(4));
}

TEST_F(ClipHistory, IdentifiersStayBelowTheFixedCommands) {
    app->options.historyLimit = 100000;
    std::vector<std::string> texts;
    for (int i = 0; i < HISTORY_ENTRY_LIMIT + 3; ++i) texts.push_back("t" + std::to_string(i));
    WriteBytes("clip.dat", ClipFile(texts));
    app->LoadHistory();
    ASSERT_EQ(EntryCount(app->HistoryMenu), HISTORY_ENTRY_LIMIT);
    const MenuEntry last = EntryAt(app->HistoryMenu, HISTORY_ENTRY_LIMIT - 1);
    EXPECT_LT(last.id, static_cast<UINT>(IDM_EXIT));
    EXPECT_EQ(last.record->content, texts.back());
    EXPECT_EQ(app->options.historyLimit, 100000);
}

TEST_F(ClipHistory, LongTextShowsFortyBytesAndDots) {
    const std::string text = "01234567890123456789012345678901234567890123456789";
    ASSERT_EQ(text.size(), 50u);
    app->AddHistoryEntry(text);
    const PhraseItem& item = *EntryAt(app->HistoryMenu, 0).record;
    EXPECT_EQ(item.DisplayText(), text.substr(0, 40) + "...");
    EXPECT_EQ(item.content, text);
    EXPECT_EQ(item.flags, 0x15u);
    EXPECT_EQ(item.iconHandle, LabelIcon);

    // A cut through a two-byte character keeps no half character.
    const std::string japanese = "a表示表示表示表示表示表示表示表示表示表示表示表示";
    app->AddHistoryEntry(japanese);
    EXPECT_EQ(EntryAt(app->HistoryMenu, 1).record->DisplayText(), japanese.substr(0, 39) + "...");
}

TEST_F(ClipHistory, TabsAndLineBreaksArePastedBackByteForByte) {
    const std::string text = "列\tソ\r\n表\n終";
    app->AddHistoryEntry(text);
    const PhraseItem& item = *EntryAt(app->HistoryMenu, 0).record;
    EXPECT_EQ(item.OutputText(), text);
    EXPECT_EQ(item.DisplayText(), "列        ソ\\n表\\n終");
    ASSERT_TRUE(app->SaveHistory());
    EXPECT_EQ(ReadBytes("clip.dat"), ClipFile({text}));

    AppUnderTest restarted;
    restarted->LoadSettings(true);
    ASSERT_EQ(EntryCount(restarted->HistoryMenu), 1);
    EXPECT_EQ(EntryAt(restarted->HistoryMenu, 0).record->OutputText(), text);
}

TEST_F(ClipHistory, HistorySurvivesARebuild) {
    const std::vector<std::string> texts = {"一", "二\t2", "三\r\n3"};
    for (const std::string& text : texts) app->AddHistoryEntry(text);
    EXPECT_EQ(app->LoadSettings(false), SettingsSource::Missing);
    EXPECT_EQ(ReadBytes("clip.dat"), ClipFile(texts));
    EXPECT_EQ(Contents(app->HistoryMenu), texts);
    EXPECT_EQ(EntryIds(app->HistoryMenu), ExpectedIds(3));
    EXPECT_EQ(EntryAt(app->MainMenu(), 0).popup, app->HistoryMenu);
}

TEST_F(ClipHistory, HistorySurvivesARestart) {
    const std::vector<std::string> texts = {"古い", "新しい"};
    for (const std::string& text : texts) app->AddHistoryEntry(text);
    ASSERT_TRUE(app->SaveHistory());
    AppUnderTest restarted;
    restarted->LoadSettings(true);
    EXPECT_EQ(Contents(restarted->HistoryMenu), texts);
}

TEST_F(ClipHistory, RebuildKeepsTheHistoryWhenTheFileCannotBeWritten) {
    for (const char* text : {"x", "y"}) app->AddHistoryEntry(text);
    ASSERT_TRUE(CreateDirectoryA("clip.dat.tmp", nullptr));
    app->LoadSettings(false);
    EXPECT_EQ(Contents(app->HistoryMenu), (std::vector<std::string>{"x", "y"}));
    EXPECT_FALSE(FileExists("clip.dat"));
    RemoveDirectoryA("clip.dat.tmp");
}

TEST_F(ClipHistory, UnreadableHistoryFileIsKept) {
    const std::string saved = ClipFile({"保存済み"});
    WriteBytes("clip.dat", saved);
    {
        LockedFile lock("clip.dat");
        ASSERT_TRUE(lock.ok());
        AppUnderTest locked;
        locked->LoadSettings(true);
        EXPECT_EQ(EntryCount(locked->HistoryMenu), 0);
        locked->AddHistoryEntry("新");
        EXPECT_FALSE(locked->SaveHistory());
        // A rebuild meanwhile keeps what was copied since.
        locked->LoadSettings(false);
        EXPECT_EQ(Contents(locked->HistoryMenu), (std::vector<std::string>{"新"}));
    }
    EXPECT_EQ(ReadBytes("clip.dat"), saved);
}

TEST_F(ClipHistory, EmptyTextDoesNotCutTheSavedHistory) {
    for (const char* text : {"before", "", "after"}) app->AddHistoryEntry(text);
    ASSERT_EQ(EntryCount(app->HistoryMenu), 3);
    ASSERT_TRUE(app->SaveHistory());
    AppUnderTest restarted;
    restarted->LoadSettings(true);
    EXPECT_EQ(Contents(restarted->HistoryMenu), (std::vector<std::string>{"before", "after"}));
}

TEST_F(ClipHistory, LoadingMergesDuplicatesOfTheFile) {
    WriteBytes("clip.dat", ClipFile({"a", "b", "a", "c", "b"}));
    app->ClearHistory();
    app->LoadHistory();
    EXPECT_EQ(Contents(app->HistoryMenu), (std::vector<std::string>{"a", "c", "b"}));
    // Into a history that already holds entries, the same merging applies.
    WriteBytes("clip.dat", ClipFile({"c", "d"}));
    app->LoadHistory();
    EXPECT_EQ(Contents(app->HistoryMenu), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(EntryIds(app->HistoryMenu), ExpectedIds(4));
}

}  // namespace
