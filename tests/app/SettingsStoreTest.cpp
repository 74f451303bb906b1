// Loading and saving "kwibra.ini" and "hkey.dat" through real menus, in a
// fresh current directory per test.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "MenuTestSupport.h"
#include "data/DefaultPhraseList.h"
#include "menus/MenuIds.h"
#include "resource.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) bytes += static_cast<char>(v);
    return bytes;
}

std::vector<std::string> DefaultListLines() { return ListLinesOf(DefaultPhraseList()); }

class SettingsStore : public ::testing::Test {
  protected:
    TempDirectory directory;
    AppUnderTest app;
};

TEST_F(SettingsStore, DefaultListFillsThePhraseMenuAndOneSection) {
    ASSERT_EQ(app->LoadSettings(true), SettingsSource::Missing);
    const HMENU phrases = app->PhraseMenu;
    ASSERT_NE(phrases, nullptr);
    std::vector<UINT> expected;
    for (UINT id = 120; id <= 126; ++id) expected.push_back(id);
    expected.push_back(0);  // the separator line
    for (UINT id = 127; id <= 136; ++id) expected.push_back(id);
    expected.push_back(0);  // the fixed separator
    EXPECT_EQ(EntryIds(phrases), expected);
    ASSERT_EQ(EntryCount(phrases), 21);
    EXPECT_EQ(EntryAt(phrases, 19).id, static_cast<UINT>(IDM_ADD_CLIPBOARD));
    EXPECT_EQ(MenuString(phrases, 19), "文字追加 (&I)");
    EXPECT_EQ(EntryAt(phrases, 20).id, static_cast<UINT>(IDM_SETTINGS));
    EXPECT_EQ(MenuString(phrases, 20), "編集・設定(&C)...");
    EXPECT_EQ(GetMenuDefaultItem(phrases, FALSE, 0), static_cast<UINT>(IDM_SETTINGS));
    EXPECT_FALSE(EntryAt(phrases, 20).state & MFS_GRAYED);

    const HMENU main = app->MainMenu();
    ASSERT_EQ(EntryCount(main), 7);
    EXPECT_EQ(EntryAt(main, 0).popup, app->HistoryMenu);
    EXPECT_EQ(EntryAt(main, 0).record, &app->historyHeaderItem);
    EXPECT_EQ(app->historyHeaderItem.DisplayText(), "クリップボード履歴(&C)");
    EXPECT_EQ(app->historyHeaderItem.iconHandle, HistoryIcon);
    EXPECT_EQ(app->historyHeaderItem.flags, 0xFFFFFFFFu);
    EXPECT_EQ(app->historyHeaderItem.iconState, 0);
    EXPECT_NE(HistoryIcon, 0u);
    EXPECT_EQ(EntryAt(main, 1).popup, phrases);
    EXPECT_EQ(EntryAt(main, 1).record, &app->phraseHeaderItem);
    EXPECT_EQ(app->phraseHeaderItem.DisplayText(), "よく使う文字(&U)");

    const MenuEntry section = EntryAt(main, 2);
    ASSERT_NE(section.popup, nullptr);
    ASSERT_NE(section.record, nullptr);
    EXPECT_TRUE(section.IsOwnerDrawn());
    EXPECT_EQ(section.record->DisplayText(), "新しいメニュー(&N)");
    EXPECT_EQ(section.record->content, " -新しいメニュー(&N)");
    EXPECT_EQ(EntryIds(section.popup), (std::vector<UINT>{137, 138, 139}));
    EXPECT_EQ(SectionHotkeyId(2), 3);

    const UINT tail[] = {IDM_SETTINGS, 0, IDM_ABOUT, IDM_EXIT};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(EntryAt(main, 3 + i).id, tail[i]) << i;
    EXPECT_EQ(MenuString(main, 3), "編集・設定(&A)...");
    EXPECT_TRUE(EntryAt(main, 4).IsSeparator());

    const HotkeyBinding* phraseHotkey = app->hotkeys.Find(PHRASE_MENU_HOTKEY_ID);
    ASSERT_NE(phraseHotkey, nullptr);
    EXPECT_EQ(phraseHotkey->virtualKey, 'A');
    EXPECT_EQ(phraseHotkey->modifiers, MOD_ALT | MOD_CONTROL);
    EXPECT_EQ(app->hotkeys.head()->next, nullptr);
}

TEST_F(SettingsStore, NonResidentPhraseMenuEndsWithTheDisabledModeEntry) {
    AppUnderTest other(true);
    other->LoadSettings(true);
    const HMENU phrases = other->PhraseMenu;
    const int last = EntryCount(phrases) - 1;
    EXPECT_EQ(MenuString(phrases, last), "クウィブラ 非常駐モード");
    EXPECT_EQ(EntryAt(phrases, last).id, static_cast<UINT>(IDM_SETTINGS));
    EXPECT_TRUE(EntryAt(phrases, last).state & MFS_GRAYED);
}

TEST_F(SettingsStore, FirstStartWritesBothFiles) {
    ASSERT_EQ(app->LoadSettings(true), SettingsSource::Missing);
    ASSERT_TRUE(app->SaveSettings());
    const std::string settings = ReadBytes("kwibra.ini");
    EXPECT_EQ(settings.substr(0, 17), "0\r\n0\r\n0\t20\t-1\t1\r\n");
    EXPECT_EQ(ListLinesOf(settings), DefaultListLines());
    EXPECT_EQ(ListLinesOf(settings).size(), 22u);
    const std::string lastLine = "にゃお！\r\n";
    EXPECT_EQ(settings.substr(settings.size() - lastLine.size()), lastLine);

    std::string hotkeys = Bytes({0, 0, 0, 0, 0x41, 0x03});
    hotkeys.append(22 * 2, '\0');
    EXPECT_EQ(ReadBytes("hkey.dat"), hotkeys);

    // The second start finds the file and reads the same menus from it.
    AppUnderTest second;
    EXPECT_EQ(second->LoadSettings(true), SettingsSource::File);
    EXPECT_EQ(EntryIds(second->PhraseMenu), EntryIds(app->PhraseMenu));
    EXPECT_NE(second->hotkeys.Find(PHRASE_MENU_HOTKEY_ID), nullptr);
}

TEST_F(SettingsStore, OlderFormWithoutOptionsLineLoadsEveryLine) {
    WriteBytes("kwibra.ini", "65\n3\nはじめ\n表示\n---\nソ\n");
    ASSERT_EQ(app->LoadSettings(true), SettingsSource::File);
    EXPECT_EQ(EntryTexts(app->PhraseMenu), (std::vector<std::string>{"はじめ", "表示", "---", "ソ", "---"}));
    const HotkeyBinding* phraseHotkey = app->hotkeys.Find(PHRASE_MENU_HOTKEY_ID);
    ASSERT_NE(phraseHotkey, nullptr);
    EXPECT_EQ(phraseHotkey->virtualKey, 'A');
    EXPECT_EQ(phraseHotkey->modifiers, 3);
}

TEST_F(SettingsStore, OptionsAreWrittenBack) {
    WriteBytes("kwibra.ini", SettingsText({"a"}, "1\t120\t-1\t0"));
    app->LoadSettings(true);
    ASSERT_TRUE(app->SaveSettings());
    EXPECT_EQ(ReadBytes("kwibra.ini"), "0\r\n0\r\n1\t120\t-1\t0\r\na\r\n");
}

TEST_F(SettingsStore, TextsWithoutCompleteLinesGiveNoListAndNoHotkeys) {
    const char* texts[] = {"", "65", "65\n3", "65\n3\n0\tno line end"};
    std::string hotkeys = Bytes({0x4D, 2, 0x48, 2, 0x50, 2, 0x31, 2});
    for (const char* text : texts) {
        AppUnderTest fresh;
        WriteBytes("kwibra.ini", text);
        WriteBytes("hkey.dat", hotkeys);
        fresh->LoadSettings(true);
        EXPECT_EQ(EntryCount(fresh->PhraseMenu), 3) << text;
        EXPECT_EQ(EntryCount(fresh->MainMenu()), 6) << text;
        const bool anyHotkey = fresh->hotkeys.head() != nullptr;
        // Without a single LF nothing is read, not even the menu hotkeys.
        EXPECT_EQ(anyHotkey, std::string(text).find('\n') != std::string::npos) << text;
    }
}

TEST_F(SettingsStore, LineEndsAreTakenApart) {
    WriteBytes("kwibra.ini", "0\n0\n0\nlf\ncrlf\r\ncrcrlf\r\r\nlast");
    app->LoadSettings(true);
    EXPECT_EQ(EntryTexts(app->PhraseMenu), (std::vector<std::string>{"lf", "crlf", "crcrlf\\n", "---"}));
    ASSERT_TRUE(app->SaveSettings());
    EXPECT_EQ(ListLinesOf(ReadBytes("kwibra.ini")), (std::vector<std::string>{"lf", "crlf", "crcrlf\\n"}));
}

struct RoundTrip {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> saved;
};

TEST_F(SettingsStore, ListLinesComeBackFromTheMenus) {
    const std::string longLine = std::string(5000, 'x') + "表";
    const RoundTrip cases[] = {
        {"column break between items", {"a", "-->", "b"}, {"a", "-->", "b"}},
        {"two column breaks act as one", {"a", "-->", "-->", "b"}, {"a", "-->", "b"}},
        {"a column break as last line is lost", {"a", "-->"}, {"a"}},
        {"column break before a separator", {"a", "-->", "---", "b"}, {"a", "-->", "---", "b"}},
        {"column break before a section line", {"a", "-->", " -節", "b"}, {"a", " -節", "-->", "b"}},
        {"column break then section then separator", {"-->", " -節", "---"}, {" -節", "-->", "---"}},
        {"empty section at the end", {"a", " -空"}, {"a", " -空"}},
        {"empty section between sections", {" -一", " -二", "b"}, {" -一", " -二", "b"}},
        {"TAB saved as eight spaces", {"a\tb"}, {"a        b"}},
        {"second bytes 0x5C", {"ソ表\\n", " + 表示 : ソース"}, {"ソ表\\n", " + 表示 : ソース"}},
        {"lead byte cut off at the end", {"abc\x83", " -節\x95"}, {"abc\x83", " -節\x95"}},
        {"line longer than 2046 bytes", {longLine, "b"}, {longLine, "b"}},
        {"command and labelled lines",
         {" * メモ帳 (&N) : C:\\Windows\\notepad.exe", " * C:\\", " + 表示 : 内容", "-->x", "--- "},
         {" * メモ帳 (&N) : C:\\Windows\\notepad.exe", " * C:\\", " + 表示 : 内容", "-->x", "--- "}},
        {"empty line", {"a", "", "b"}, {"a", "", "b"}},
    };
    for (const RoundTrip& c : cases) {
        TempDirectory own;
        AppUnderTest fresh;
        WriteBytes("kwibra.ini", SettingsText(c.lines));
        fresh->LoadSettings(true);
        ASSERT_TRUE(fresh->SaveSettings()) << c.name;
        EXPECT_EQ(ListLinesOf(ReadBytes("kwibra.ini")), c.saved) << c.name;

        // Read again, the saved form stays as it is.
        const std::string saved = ReadBytes("kwibra.ini");
        fresh->LoadSettings(false);
        ASSERT_TRUE(fresh->SaveSettings()) << c.name;
        EXPECT_EQ(ReadBytes("kwibra.ini"), saved) << c.name;
    }
}

TEST_F(SettingsStore, ColumnBreakMarksTheNextEntry) {
    WriteBytes("kwibra.ini", SettingsText({"a", "-->", "b", "-->", " -節", "---", "c"}));
    app->LoadSettings(true);
    const HMENU phrases = app->PhraseMenu;
    EXPECT_FALSE(EntryAt(phrases, 0).BeginsColumn());
    EXPECT_TRUE(EntryAt(phrases, 1).BeginsColumn());
    EXPECT_EQ(EntryAt(phrases, 1).id, 121u);
    // The break before the section line goes to the section's separator,
    // not to the fixed separator of the phrase menu.
    EXPECT_FALSE(EntryAt(phrases, 2).BeginsColumn());
    const HMENU section = EntryAt(app->MainMenu(), 2).popup;
    ASSERT_NE(section, nullptr);
    EXPECT_TRUE(EntryAt(section, 0).IsSeparator());
    EXPECT_TRUE(EntryAt(section, 0).BeginsColumn());
    EXPECT_FALSE(EntryAt(section, 1).BeginsColumn());
    EXPECT_FALSE(app->pendingColumnBreak);
}

TEST_F(SettingsStore, TrailingColumnBreakReachesNoLaterEntry) {
    WriteBytes("kwibra.ini", SettingsText({"a", " -節", "b", "-->"}));
    for (bool startUp : {true, false}) {
        app->LoadSettings(startUp);
        EXPECT_FALSE(app->pendingColumnBreak) << startUp;
        const int fixedSeparator = EntryCount(app->PhraseMenu) - 3;
        EXPECT_TRUE(EntryAt(app->PhraseMenu, fixedSeparator).IsSeparator()) << startUp;
        EXPECT_FALSE(EntryAt(app->PhraseMenu, fixedSeparator).BeginsColumn()) << startUp;
    }
    app->AddLine("clip", app->PhraseMenu, nullptr);
    EXPECT_FALSE(EntryAt(app->PhraseMenu, 1).BeginsColumn());
    EXPECT_EQ(EntryAt(app->PhraseMenu, 1).record->content, "clip");
}

TEST_F(SettingsStore, MenuFontIsKeptUntilTheMenusAreRebuilt) {
    app->LoadSettings(true);
    const HFONT font = app->MenuFont();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(app->MenuFont(), font);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof metrics.lfMessageFont;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
    LOGFONTA made{};
    ASSERT_EQ(GetObjectA(font, sizeof made, &made), static_cast<int>(sizeof made));
    EXPECT_STREQ(made.lfFaceName, metrics.lfMenuFont.lfFaceName);
    EXPECT_EQ(made.lfHeight, metrics.lfMenuFont.lfHeight);
    app->LoadSettings(false);
    EXPECT_EQ(app->menuFont, nullptr);
    EXPECT_NE(app->MenuFont(), nullptr);
}

TEST_F(SettingsStore, HotkeysOfItemsAndSectionsComeBackWithTheirIdentifiers) {
    WriteBytes("kwibra.ini", SettingsText({"a", "---", " -節", "b", "-->", "c"}));
    // Menus: main M+Ctrl, history none, phrase Ctrl+Alt+A; lines a, ---, section, b, -->, c.
    const std::string records =
        Bytes({0x4D, 2, 0, 0, 0x41, 3, 0x31, 2, 0x32, 2, 0x33, 6, 0x34, 0, 0x35, 1, 0x36, 4});
    WriteBytes("hkey.dat", records);
    app->LoadSettings(true);

    const struct {
        std::int32_t id;
        int key, modifiers;
    } expected[] = {{0, 0x4D, 2}, {2, 0x41, 3}, {120, 0x31, 2}, {3, 0x33, 6}, {121, 0x34, 0}, {122, 0x36, 4}};
    for (const auto& e : expected) {
        const HotkeyBinding* b = app->hotkeys.Find(e.id);
        ASSERT_NE(b, nullptr) << e.id;
        EXPECT_EQ(b->virtualKey, e.key) << e.id;
        EXPECT_EQ(b->modifiers, e.modifiers) << e.id;
    }
    // The keys of the separator and the column break lines bind nothing.
    for (const HotkeyBinding* b = app->hotkeys.head(); b; b = b->next.get())
        EXPECT_TRUE(b->virtualKey != 0x32 && b->virtualKey != 0x35) << b->id;

    ASSERT_TRUE(app->SaveSettings());
    EXPECT_EQ(ReadBytes("hkey.dat"),
              Bytes({0x4D, 2, 0, 0, 0x41, 3, 0x31, 2, 0, 0, 0x33, 6, 0x34, 0, 0, 0, 0x36, 4}));
}

TEST_F(SettingsStore, HotkeyOfASeparatorNeverBecomesTheMainMenuHotkey) {
    WriteBytes("kwibra.ini", SettingsText({"---", "a"}));
    WriteBytes("hkey.dat", Bytes({0, 0, 0, 0, 0x41, 3, 0x39, 2, 0, 0}));
    app->LoadSettings(true);
    EXPECT_EQ(app->hotkeys.Find(MAIN_MENU_HOTKEY_ID), nullptr);
    ASSERT_TRUE(app->SaveSettings());
    EXPECT_EQ(ReadBytes("hkey.dat").substr(0, 2), Bytes({0, 0}));
}

TEST_F(SettingsStore, SectionHotkeysNeverMeetTheTildeOrAnItem) {
    std::vector<std::string> lines;
    std::string records(6, '\0');
    const int sections = 130;
    for (int k = 0; k < sections; ++k) {
        lines.push_back(" -節" + std::to_string(k));
        lines.push_back("item" + std::to_string(k));
        records += Bytes({0x30 + k % 10, 1 + k % 7, 0, 0});
    }
    WriteBytes("kwibra.ini", SettingsText(lines));
    WriteBytes("hkey.dat", records);
    app->LoadSettings(true);

    const HMENU main = app->MainMenu();
    for (int k = 0; k < sections; ++k) {
        const int position = FIRST_SECTION_POSITION + k;
        const std::int32_t id = SectionHotkeyId(position);
        ASSERT_NE(id, 0) << k;
        EXPECT_NE(id, HOTKEY_TILDE) << k;
        EXPECT_FALSE(id >= FIRST_ITEM_COMMAND_ID && id <= LAST_ITEM_COMMAND_ID) << k;
        const HotkeyBinding* b = app->hotkeys.Find(id);
        ASSERT_NE(b, nullptr) << k;
        EXPECT_EQ(b->virtualKey, 0x30 + k % 10) << k;
        const HotkeyAction action = ActionForHotkey(id);
        ASSERT_EQ(action.kind, HotkeyActionKind::ShowMenu) << k;
        const MenuEntry entry = EntryAt(main, action.value - 1);
        ASSERT_NE(entry.record, nullptr) << k;
        EXPECT_EQ(entry.record->content, lines[2 * k]) << k;
        EXPECT_EQ(GetSubMenu(main, action.value - 1), entry.popup) << k;
    }
    EXPECT_EQ(ActionForHotkey(HOTKEY_TILDE).kind, HotkeyActionKind::TypeTilde);
    ASSERT_TRUE(app->SaveSettings());
    EXPECT_EQ(ReadBytes("hkey.dat"), records);
}

TEST_F(SettingsStore, ItemsPastTheSavableRangeStayButAreNotSaved) {
    WriteBytes("kwibra.ini", SettingsText({}));
    app->LoadSettings(true);
    app->nextCommandId = LAST_SAVED_ITEM_ID - 1;
    HotkeyBinding& late = app->hotkeys.Add(0, 0x31, 2);
    for (const char* line : {"a", "b", "c"})
        app->AddLine(line, nullptr, std::string(line) == "c" ? &late : nullptr);
    EXPECT_EQ(EntryIds(app->PhraseMenu), (std::vector<UINT>{29999, 30000, 30001, 0}));
    EXPECT_EQ(late.id, 30001);
    ASSERT_TRUE(app->SaveSettings());
    EXPECT_EQ(ListLinesOf(ReadBytes("kwibra.ini")), (std::vector<std::string>{"a", "b"}));

    // Past the last item identifier an item keeps its place without a command.
    app->nextCommandId = LAST_ITEM_COMMAND_ID;
    HotkeyBinding& last = app->hotkeys.Add(0, 0x32, 2);
    app->AddLine("d", nullptr, nullptr);
    app->AddLine("e", nullptr, &last);
    const int count = EntryCount(app->PhraseMenu);
    EXPECT_EQ(EntryAt(app->PhraseMenu, count - 5).id, static_cast<UINT>(LAST_ITEM_COMMAND_ID));
    const MenuEntry beyond = EntryAt(app->PhraseMenu, count - 4);
    EXPECT_EQ(beyond.id, 0u);
    EXPECT_TRUE(beyond.state & MFS_GRAYED);
    EXPECT_EQ(last.virtualKey, 0);
    // The same at the end of a section menu.
    app->AddLine(" -節", nullptr, nullptr);
    app->AddLine("f", nullptr, nullptr);
    const HMENU section = EntryAt(app->MainMenu(), 2).popup;
    ASSERT_EQ(EntryCount(section), 1);
    EXPECT_EQ(EntryAt(section, 0).id, 0u);
    EXPECT_TRUE(EntryAt(section, 0).state & MFS_GRAYED);
}

TEST_F(SettingsStore, ClipboardPhraseGoesToThePhraseMenuEvenWithSections) {
    WriteBytes("kwibra.ini", SettingsText({"a", " -節", "b"}));
    app->LoadSettings(true);
    app->AddLine("追加\r\nされた", app->PhraseMenu, nullptr);
    EXPECT_EQ(EntryTexts(app->PhraseMenu), (std::vector<std::string>{"a", "追加\\nされた", "---"}));
    ASSERT_TRUE(app->SaveSettings());
    EXPECT_EQ(ListLinesOf(ReadBytes("kwibra.ini")),
              (std::vector<std::string>{"a", "追加\\nされた", " -節", "b"}));
}

TEST_F(SettingsStore, ChosenIdentifierFindsItsRecord) {
    app->LoadSettings(true);
    const PhraseItem* memo = app->ItemForCommand(130);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->content, " * メモ帳 (&N) : C:\\Windows\\notepad.exe");
    const PhraseItem* last = app->ItemForCommand(139);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->content, "にゃお！");
    EXPECT_EQ(app->ItemForCommand(140), nullptr);
    EXPECT_EQ(app->ItemForCommand(IDM_ADD_CLIPBOARD), nullptr);
}

TEST_F(SettingsStore, IconsAreLookedUpWhenAnEntryIsFirstMeasured) {
    WriteBytes("kwibra.ini", SettingsText({" * メモ帳 (&N) : C:\\Windows\\notepad.exe",
                                           " * 説明 (&R) : missing.txt", " * C:\\", " -節", "a"}));
    app->LoadSettings(true);
    const struct {
        UINT id;
        const char* before;
        const char* after;
        bool icon;
    } cases[] = {
        {120, " * メモ帳 (&N)", "メモ帳 (&N)", true},
        {121, " * 説明 (&R)", " * 説明 (&R)", false},  // no such file: the marker stays
        {122, "", "C:\\", true},
    };
    for (const auto& c : cases) {
        PhraseItem* item = app->ItemForCommand(c.id);
        ASSERT_NE(item, nullptr) << c.id;
        EXPECT_EQ(item->iconState, -1) << c.id;
        EXPECT_EQ(item->label, c.before) << c.id;
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_MENU;
        measure.itemData = reinterpret_cast<ULONG_PTR>(item);
        ASSERT_TRUE(app->MeasureMenuEntry(measure)) << c.id;
        EXPECT_EQ(item->DisplayText(), c.after) << c.id;
        EXPECT_EQ(item->HasIcon(), c.icon) << c.id;
        EXPECT_GT(measure.itemWidth, 0u) << c.id;
    }
    // Sections show the folder icon of the current directory.
    PhraseItem* section = EntryAt(app->MainMenu(), 2).record;
    EXPECT_EQ(section->iconState, -1);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = reinterpret_cast<ULONG_PTR>(section);
    app->MeasureMenuEntry(measure);
    EXPECT_GT(section->iconState, 0);
    // Entries without a record are not ours.
    measure.itemData = 0;
    EXPECT_FALSE(app->MeasureMenuEntry(measure));
    // Saved, every line is as it was written.
    ASSERT_TRUE(app->SaveSettings());
    EXPECT_EQ(ListLinesOf(ReadBytes("kwibra.ini"))[0], " * メモ帳 (&N) : C:\\Windows\\notepad.exe");
}

TEST_F(SettingsStore, RebuildKeepsListAndHotkeys) {
    app->LoadSettings(true);
    ASSERT_TRUE(app->SaveSettings());
    const std::vector<UINT> before = EntryIds(app->PhraseMenu);
    EXPECT_EQ(app->LoadSettings(false), SettingsSource::File);
    EXPECT_EQ(EntryIds(app->PhraseMenu), before);
    EXPECT_EQ(EntryCount(app->MainMenu()), 7);
    ASSERT_NE(app->hotkeys.head(), nullptr);
    EXPECT_EQ(app->hotkeys.head()->next, nullptr);
}

TEST_F(SettingsStore, UnreadableSettingsFileIsNeverOverwritten) {
    const std::string own = SettingsText({"私のリスト"});
    WriteBytes("kwibra.ini", own);
    {
        LockedFile lock("kwibra.ini");
        ASSERT_TRUE(lock.ok());
        EXPECT_EQ(app->LoadSettings(true), SettingsSource::Unreadable);
        // The menus are usable with the default list meanwhile.
        EXPECT_EQ(EntryAt(app->PhraseMenu, 0).id, 120u);
        EXPECT_FALSE(app->SaveSettings());
    }
    EXPECT_FALSE(app->SaveSettings());
    EXPECT_EQ(ReadBytes("kwibra.ini"), own);
    EXPECT_FALSE(FileExists("hkey.dat"));

    // Once it can be read again, loading and saving work as ever.
    EXPECT_EQ(app->LoadSettings(false), SettingsSource::File);
    EXPECT_EQ(EntryTexts(app->PhraseMenu), (std::vector<std::string>{"私のリスト", "---"}));
    EXPECT_TRUE(app->SaveSettings());
}

TEST_F(SettingsStore, UnreadableHotkeyFileIsNeverOverwritten) {
    WriteBytes("kwibra.ini", SettingsText({"a"}));
    const std::string records = Bytes({0, 0, 0, 0, 0x41, 3, 0x31, 2});
    WriteBytes("hkey.dat", records);
    {
        LockedFile lock("hkey.dat");
        ASSERT_TRUE(lock.ok());
        EXPECT_EQ(app->LoadSettings(true), SettingsSource::File);
        EXPECT_FALSE(app->SaveSettings());
    }
    EXPECT_EQ(ReadBytes("hkey.dat"), records);
    EXPECT_EQ(ReadBytes("kwibra.ini"), SettingsText({"a"}));
}

TEST_F(SettingsStore, FailedSaveLeavesBothFilesAsTheyWere) {
    WriteBytes("kwibra.ini", SettingsText({"a"}));
    WriteBytes("hkey.dat", Bytes({0, 0, 0, 0, 0, 0, 0x31, 2}));
    app->LoadSettings(true);
    app->AddLine("b", nullptr, nullptr);
    // The temporary file of the hotkey file cannot be made.
    ASSERT_TRUE(CreateDirectoryA("hkey.dat.tmp", nullptr));
    EXPECT_FALSE(app->SaveSettings());
    EXPECT_EQ(ReadBytes("kwibra.ini"), SettingsText({"a"}));
    EXPECT_EQ(ReadBytes("hkey.dat"), Bytes({0, 0, 0, 0, 0, 0, 0x31, 2}));
    RemoveDirectoryA("hkey.dat.tmp");
    EXPECT_TRUE(app->SaveSettings());
    EXPECT_EQ(ListLinesOf(ReadBytes("kwibra.ini")), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
