#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "data/FileStore.h"
#include "data/HistoryCompanion.h"
#include "data/HistoryFile.h"
#include "data/HotkeyList.h"
#include "data/IconCache.h"
#include "data/PasteRules.h"
#include "data/PhraseItem.h"
#include "data/SettingsFile.h"
#include "ShiftJisBytes.h"

namespace fs = std::filesystem;

namespace {

using namespace std::string_literals;
using Texts = std::vector<std::string>;

// A shell that knows a few paths, installed while it lives.
struct FakePlatform : PlatformSeam {
    FakePlatform() { InstallPlatform(this); }
    ~FakePlatform() override { InstallPlatform(nullptr); }
    ShellIcon IconForPath(const std::string& path, int) override {
        ++asked;
        return known.count(path) ? ShellIcon{2, known[path], images} : ShellIcon{};
    }
    std::int32_t ImageCount(IconHandle) override { return images; }
    std::string CurrentDirectory() override { return "C:\\kwibra"; }
    std::string LongDate() override { return date; }
    std::string TimeOfDay() override { return "19:05:33"; }

    std::map<std::string, std::int32_t> known{{"C:\\", 3}, {"C:\\kwibra", 4}, {"new.url", 9}};
    std::string date = "2026年12月6日日曜日";
    std::int32_t images = 40;
    int asked = 0;
};

// "label|flags|icon": T text, C command, S label, V verbatim; L label icon or shell index; content if
// changed.
std::string Parsed(const std::string& line, bool fromClipboard = false) {
    PhraseItem item;
    item.Parse(line, fromClipboard);
    std::string out = item.label + "|";
    for (int bit = 0; bit < 5; ++bit)
        if (item.flags >> bit & 1) out += "TCS?V"[bit];
    out += item.iconHandle == LabelIcon ? "|L" : "|" + std::to_string(item.iconIndex);
    return item.content == line ? out : out + "|" + item.content;
}

TEST(Phrase, Parse) {
    FakePlatform shell;
    LabelIcon = 1;
    const std::string a39(39, 'a');
    const std::pair<std::string, std::string> cases[] = {
        {" +表示 : a : b", "表示|TS|L"},
        {" + no separator", "|T|0"},
        {" *\tC:\\", "C:\\|CS|3| *        C:\\"},
        {" * 説明 (&R) : kwibra.txt", " * 説明 (&R)|CS|0"},
        {" * mailto:a@b.jp : unknown", "mailto:a@b.jp|CS|9"},
        {" * http://own : C:\\", "http://own|CS|3"},
        {" -節\t(&N)", "節\t(&N)|SV|4"},
        {"x* C:\\", "|T|0"},
        {" *", "|T|0"},
        {"a\tb\r\nc\rd\n\re", "|T|0|a        b\\nc\\nd\\n\\ne"},
        {"a\x01\x1f\x7f" + std::string(1, '\0'), "|T|0|a  \x7f "},
        // Labels are cut to 40 bytes and "...", never inside a character.
        {a39, "|T|0"},
        {a39 + "b", a39 + "b...|TS|L"},
        {"a" + std::string(37, 'b') + "ソソ", "a" + std::string(37, 'b') + "ソ...|TS|L"},
        {" + " + std::string(45, 'L') + " : text", std::string(40, 'L') + "...|TS|L"},
    };
    for (const auto& [line, parsed] : cases) EXPECT_EQ(Parsed(line), parsed);
    for (const auto& [byte, lead] : ShiftJisBytes)
        EXPECT_EQ(Parsed(a39 + byte + "\\x"), a39 + (lead ? "" : byte) + "...|TS|L") << lead;
    EXPECT_EQ(Parsed(" * C:\\", true), "|TSV|L");
    EXPECT_EQ(Parsed("a\tb\r\nc", true), "a        b\\nc|TSV|L");

    // Menus parse an item again to resolve an icon that was not there before.
    PhraseItem item;
    item.Parse(" * C:\\x", false);
    shell.known["C:\\x"] = 21;
    item.Parse(" * C:\\x", false);
    EXPECT_EQ(item.iconIndex, 21);
    EXPECT_EQ(item.iconState, 40);
}

TEST(Phrase, OutputText) {
    FakePlatform shell;
    const std::pair<std::string, std::string> cases[] = {
        {" + 今日 : %%d : %%d", shell.date + " : " + shell.date},
        {" +x", "x"},
        {"%%%d %d %t %%", "%" + shell.date + " %d %t %%"},
        {"a\\\\nb\\", "a\\\r\nb\\"},
        {"ソn表n", "ソn表n"},
        {"表\\n\xb1\\ncut\x95", "表\r\n\xb1\r\ncut\x95"},
        {" * メモ帳 :   C:\\new %%d", "C:\\new %%d"},
    };
    for (const auto& [line, output] : cases) {
        PhraseItem item;
        item.Parse(line, false);
        EXPECT_EQ(item.OutputText(), output);
    }
    // The search goes on after the inserted date, which may hold the escape itself.
    shell.date = "%%d%";
    PhraseItem item;
    item.Parse("%%d%d", false);
    EXPECT_EQ(item.OutputText(), "%%d%%d");
    for (const auto& [byte, lead] : ShiftJisBytes) {
        item.Parse(byte + "\\n", false);
        EXPECT_EQ(item.OutputText(), byte + (lead ? "\\n" : "\r\n")) << lead;
    }
}

// The shell is asked once per path, found or not, until its image lists change; then again.
TEST(Icons, TheShellsAnswersAreKeptUntilItsImagesChange) {
    FakePlatform shell;
    IconCache cache(shell);
    for (const char* path : {"C:\\", "C:\\", "unknown", "unknown"}) cache.IconForPath(path, 16);
    EXPECT_EQ(3, cache.IconForPath("C:\\", 32).index);
    EXPECT_EQ(3, shell.asked);
    shell.known["C:\\"] = 7;
    EXPECT_EQ(3, cache.IconForPath("C:\\", 16).index);
    shell.images = 41;
    EXPECT_EQ(7, cache.IconForPath("C:\\", 16).index);
    EXPECT_EQ(4, shell.asked);
}

// A history entry's exact text is labelled as its Shift-JIS form would be, in whole characters.
TEST(Phrase, ExactTextsAreLabelledByTheShiftJisRules) {
    const std::u16string a38(38, u'a');
    const std::pair<std::u16string, std::u16string> rows[] = {
        {u"a\tb\r\nc\rd\x01", u"a        b\\nc\\nd "},
        {a38 + u"a\U0001F600", a38 + u"a..."},
        {a38 + u"\U0001F600b", a38 + u"\U0001F600..."},
        {a38 + u"a\uFF71", a38 + u"a\uFF71..."},
        {a38 + u"\uFF71", a38 + u"\uFF71"},
    };
    for (const auto& [text, label] : rows) {
        PhraseItem item;
        item.SetExactText(text);
        EXPECT_EQ(label, item.exact->label);
        EXPECT_TRUE(item.SameText("", &text) && !item.SameText("", nullptr));
    }
}

const std::string Keys = "\1\1\2\2\3\3\4\4";  // three menus, then the first line

std::string Key(HotkeyRecord r) { return std::to_string(r.virtualKey) + "+" + std::to_string(r.modifiers); }

// "tilde limit wait menu0 menu1 menu2|line=hotkey|...", read over the options 1 7 5.
std::string Decoded(std::string_view text, std::string_view hkey) {
    AppSettings o{1, 7, 5};
    const DecodedSettings d = DecodeSettings(text, hkey, o);
    std::string out = std::to_string(o.tildeOnShiftZero) + " " + std::to_string(o.historyLimit) + " " +
                      std::to_string(o.waitForKeyRelease);
    for (const HotkeyRecord& r : d.menuHotkeys) out += " " + Key(r);
    for (const SettingsLine& line : d.lines) out += "|" + std::string(line.text) + "=" + Key(line.hotkey);
    return out;
}

TEST(Settings, Decode) {
    const std::string x5000(5000, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"", "1 7 5 0+0 0+0 0+0"},
        {"65\n", "1 7 5 1+1 2+2 65+0"},
        {"65\n3\nx", "1 7 5 1+1 2+2 65+3"},
        {"65\n3\n1\t30\t-1\t0", "1 30 0 1+1 2+2 3+3"},
        // The legacy hotkey of the first two lines goes to the menu the options name.
        {"  x65\n\t+3 4\r\n0\n", "0 7 5 1+1 2+2 0+3"},
        {"321\n-1\n0\n", "0 7 5 1+1 2+2 65+7"},  // only the modifier bits hkey.dat may hold
        {"65\n3\n0\t20\t0\n", "0 20 5 65+3 2+2 3+3"},
        {"65\n3\n1\t20\t1\t1\r\n", "1 20 1 1+1 65+3 3+3"},
        {"0\n0\n01\nA\n", "0 7 5 1+1 2+2 0+0|A=4+4"},
        {"0\n0\n0\t0\t-1\t1\nA\n", "0 20 1 1+1 2+2 3+3|A=4+4"},
        {"0\n0\n0\t\t\t40\nA\n", "0 40 5 1+1 2+2 0+0|A=4+4"},
        {"0\n0\n0\t99999999999999999999\t-1\nA\n", "0 2147483647 5 1+1 2+2 3+3|A=4+4"},
        {"0\n0\n1 is taken as options\nx\n", "1 7 5 1+1 2+2 0+0|x=4+4"},
        // The old form: one hotkey, then the list lines at once.
        {"65\n3\nfirst\r\n2\t20\n", "1 7 5 1+1 2+2 65+3|first=4+4|2\t20=0+0"},
        // A CR stays unless before LF; the unterminated last line is no line.
        {"0\n0\n0\nA\r\r\n\r\nB\rC\nlast", "0 7 5 1+1 2+2 0+0|A\r=4+4|=0+0|B\rC=0+0"},
        {"0\n0\n0\n表\r\nソ\ncut\x95\na\0b\n"s, "0 7 5 1+1 2+2 0+0|表=4+4|ソ=0+0|cut\x95=0+0|a\0b=0+0"s},
        {"0\n0\n0\n" + x5000 + "\n", "0 7 5 1+1 2+2 0+0|" + x5000 + "=4+4"},
    };
    for (const auto& [text, decoded] : cases) EXPECT_EQ(Decoded(text, Keys), decoded);
    // A last record cut short is none; modifier bits we never write make a foreign file.
    EXPECT_EQ(Decoded("0\n0\n0\nA\nB\n", "\1\1\2"), "0 7 5 1+1 0+0 0+0|A=0+0|B=0+0");
    EXPECT_TRUE(IsHotkeyFile("\1\1\2\7\3"));
    EXPECT_FALSE(IsHotkeyFile("\1\1\2\x08"));
}

TEST(Settings, Encode) {
    const std::vector<SettingsLine> lines = {
        {"表", {}}, {"a\r\nb\rc\n\rd\r", {5, 4}}, {"0", {}}, {"1\tx", {255, 255}}};
    const EncodedSettings files = EncodeSettings({1, 5, 0}, {HotkeyRecord{1, 1}, {}, {65, 3}}, lines);
    EXPECT_EQ(files.settingsBytes, "0\r\n0\r\n1\t5\t-1\t0\r\n表\r\na\\nb\\nc\\n\\nd\\n\r\n0\r\n1\tx\r\n");
    EXPECT_EQ(files.hkeyBytes, "\1\1\0\0A\3\0\0\5\4\0\0\xFF\xFF"s);
}

TEST(HotkeyList, LaterBindingsFollowTheHeadAndTheFirstOfEachMenuIsSaved) {
    HotkeyList list;
    for (const auto& [id, key, modifiers] : {std::tuple{2, 'A', 3}, {0, 'B', 1}, {2, 'C', 4}})
        list.Add(id, key, modifiers);
    EXPECT_EQ(EncodeHotkeyFile(MenuHotkeyRecords(list), {}), "B\1\0\0A\3"s);
    // A long list is released one link at a time, not by deep recursion.
    for (int i = 0; i < 1000000; ++i) list.Add(i, 1, 0);
}

// "key+modifiers", "#command" or "-"; a file: "class=method|" per rule, "line:text|" per unreadable line.
std::string Shown(std::optional<PasteMethod> m) {
    if (!m) return "-";
    return m->kind == PasteMethod::Kind::Command ? "#" + std::to_string(m->command)
                                                 : Key({m->virtualKey, m->modifiers});
}
std::string Shown(const PasteRuleFile& file) {
    std::string out;
    for (const PasteRule& r : file.rules) out += r.windowClass + "=" + Shown(r.method) + "|";
    for (const auto& u : file.unreadable) out += std::to_string(u.lineNumber) + ":" + u.text + "|";
    return out;
}

TEST(PasteRules, ParseMethod) {
    for (std::string_view row :
         {" Shift + Ins\t=45+4", "control+shift+9=57+6", "ctrl+alt+shift+F24=135+7", "pagedown=34+0",
          "command 0xFFF1=#65521", "COMMAND\t 274=#274", "command 65535=#65535"})
        EXPECT_EQ(Shown(ParsePasteMethod(row.substr(0, row.rfind('=')))), row.substr(row.rfind('=') + 1));
    for (const char* text :
         {"ctrl+v+v", "v+ctrl", "ctrl+shift", "ctrl+", "", "ctrl v", "f25", "f01", "ctrl+page", "command 0",
          "command 0x10000", "command 99999999999999999999", "command 12 x", "command 0x", "command"})
        EXPECT_EQ(ParsePasteMethod(text), std::nullopt) << text;
}

TEST(PasteRules, ReadFile) {
    std::string utf16 = "\xFF\xFE";  // '~' stands for a character beyond ASCII
    for (char c : "a\tv\r\n ;~\r\nb~\tv\nc\tv\r\r\n"s) utf16 += c == '~' ? "\x42\x30"s : std::string{c, '\0'};
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF;a\tb\r\n\r\n PuTTY \t shift+ins\r\nno tab\r\n \tctrl+v\n\t;\nb\tq+q\nw\tcommand 274",
         "PuTTY=45+4|w=#274|4:no tab|5: \tctrl+v|7:b\tq+q|"},
        {utf16, "a=86+0|3:b?\tv|4:c\tv\r|"},
        {std::string(300000, 'x') + "\tv", "1:" + std::string(300000, 'x') + "\tv|"}};
    for (const auto& [bytes, read] : cases) EXPECT_EQ(Shown(ReadPasteRules(bytes)), read);
}

TEST(PasteRules, UserRulesFirstThenTheControlsClass) {
    const std::vector<PasteRule> user = ReadPasteRules("Edit\tshift+ins\nconsolewindowclass\talt+v").rules;
    EXPECT_EQ(Shown(ChoosePasteMethod(user, "EDIT", "ConsoleWindowClass")), "45+4");
    EXPECT_EQ(Shown(ChoosePasteMethod(user, "Other", "ConsoleWindowClass")), "86+1");
    EXPECT_EQ(Shown(ChoosePasteMethod({}, "Edit", "CONSOLEWINDOWCLASS")), "#65521");
    EXPECT_EQ(Shown(ChoosePasteMethod(user, "Edi", "")), "86+2");
}

// The kind (Empty, Whole, CutShort, Foreign) by its initial, then each text DecodeHistory gives.
std::string Read(const std::string& bytes) {
    std::string out(1, "EWCF"[static_cast<int>(ClassifyHistoryFile(bytes))]);
    for (const std::string& text : DecodeHistory(bytes)) out += "|" + text;
    return out;
}

TEST(History, ClassifyAndDecode) {
    const std::string two = "\1\0\2\0\2\0ab\4\0表ソ"s;
    const std::pair<std::string, std::string> cases[] = {
        {two, "W|ab|表ソ"},
        {"", "E"},
        {"\1\0\0\0"s, "W"},
        {"\1\0\1\0\1\0\x95"s, "W|\x95"},
        {"\1\0\3\0\1\0x\0\0\xFF"s, "W|x"},  // a record of length 0 ends the history
        {two + "x", "F|ab|表ソ"},
        {"\0\0\1\0\1\0x"s, "F"},
        {"\1\0\xFF\xFF"s, "F"},
        {"\1\0\2\0\1\0x\xFE\xFFx"s, "F|x"},
    };
    for (const auto& [bytes, read] : cases) EXPECT_EQ(Read(bytes), read) << testing::PrintToString(bytes);
    // Cut after each byte: 1 to 3 bytes are no file of ours; then the whole records before the cut.
    const char* const cut[] = {"F",    "F",    "F",    "C",    "C",    "C",   "C",
                               "C|ab", "C|ab", "C|ab", "C|ab", "C|ab", "C|ab"};
    for (std::size_t size = 1; size < two.size(); ++size) EXPECT_EQ(Read(two.substr(0, size)), cut[size - 1]);
}

TEST(History, Encode) {
    EXPECT_EQ(EncodeHistory({"ab", "", std::string(300, 'z')}),
              "\1\0\2\0\2\0ab\x2C\1"s + std::string(300, 'z'));
    const std::string fits(0x7FFF, 'f');
    EXPECT_EQ(DecodeHistory(EncodeHistory({"a", std::string(0x8000, 't'), fits})), (Texts{"a", fits}));
}

TEST(HistoryCompanion, RoundTrip) {
    const std::u16string smile = u"\U0001F600", cafe = u"caf\u00E9", longest(0xFFFF, u'\u00E9');
    // An empty exact text, or one too long for its field, is dropped; its entry stays.
    const std::vector<HistoryEntry> entries = {{"", smile},          {"caf?", cafe}, {"ab", {}},
                                               {"?", smile},         {"x", u""},     {"?", longest},
                                               {"y", longest + u"x"}};
    const std::vector<HistoryEntry> kept = {{"caf?", cafe}, {"ab", {}},     {"?", smile},
                                            {"x", {}},      {"?", longest}, {"y", {}}};
    const EncodedHistoryFiles files = EncodeHistoryFiles(entries);
    EXPECT_EQ(DecodeHistoryFiles(files.clipBytes, files.companionBytes).entries, kept);
    // Three records for 26 bytes of clip.dat; "café" is record 0, after the empty text left out.
    EXPECT_EQ(files.companionBytes.substr(0, 10) + files.companionBytes.substr(14, 14),
              "KWCW\1\0\x1A\0\0\0\3\0\0\0\4\0c\0a\0f\0\xE9\0"s);
    EXPECT_EQ(EncodeHistoryFiles({{"ab", {}}, {"?", u""}}).companionBytes, "");
    // More entries than the count holds: the newest are kept, and the indexes follow them.
    std::vector<HistoryEntry> many(0x7FFF + 2, {"x", {}});
    many[1].exact = many[2].exact = many.back().exact = smile;
    const EncodedHistoryFiles newest = EncodeHistoryFiles(many);
    many.erase(many.begin(), many.begin() + 2);
    EXPECT_EQ(DecodeHistoryFiles(newest.clipBytes, newest.companionBytes).entries, many);
}

TEST(HistoryCompanion, CompanionOfOtherBytesOrDamagedIsIgnored) {
    const EncodedHistoryFiles good = EncodeHistoryFiles({{"a", {}}, {"?313599", u"\u00E9313599"}});
    const std::string &clip = good.clipBytes, &ours = good.companionBytes;
    auto patched = [&](std::size_t at, char byte) { return std::string(ours).replace(at, 1, 1, byte); };
    const std::tuple<std::string, std::string, CompanionStatus> cases[] = {
        {clip, ours, CompanionStatus::Matched},
        {clip, "", CompanionStatus::Absent},
        {EncodeHistory({"a", "?2139994"}), ours, CompanionStatus::Mismatched},  // FNV-1a as ours, other size
        {EncodeHistory({"b", "?313599"}), ours, CompanionStatus::Mismatched},   // the same size
        {clip, patched(3, 'X'), CompanionStatus::Damaged},
        {clip, patched(4, 2), CompanionStatus::Damaged},  // version
        {clip, ours + '\0', CompanionStatus::Damaged},
        {clip, patched(16, 2), CompanionStatus::Damaged},                   // index beyond the entries
        {clip, patched(14, 2) + "\1\0\1\0x\0"s, CompanionStatus::Damaged},  // index 1 twice
        {clip, ours.substr(0, 18) + "\0\0"s, CompanionStatus::Damaged},     // length 0
        {clip, ours.substr(0, ours.size() - 1), CompanionStatus::Damaged},
    };
    for (const auto& [clipBytes, companion, status] : cases) {
        const DecodedHistoryFiles decoded = DecodeHistoryFiles(clipBytes, companion);
        EXPECT_EQ(decoded.companion, status) << testing::PrintToString(companion);
        EXPECT_EQ(decoded.entries.at(1).exact.has_value(), status == CompanionStatus::Matched);
    }
}

class Store : public ::testing::Test {
  protected:
    Store() { fs::create_directories(dir); }
    ~Store() override { fs::remove_all(dir); }
    std::string Get(const char* name) { return ReadWholeFile(dir / name).bytes; }
    long Entries() { return std::distance(fs::directory_iterator(dir), fs::directory_iterator()); }

    const fs::path dir =
        fs::temp_directory_path() /
        ("kwibra-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
};

TEST_F(Store, ReadAndWrite) {
    const std::string big = std::string(300000, '\x1a') + "a\r\n\0\x95"s;
    EXPECT_TRUE(WriteWholeFile(dir / "clip.dat", ""));
    EXPECT_EQ(ReadWholeFile(dir / "clip.dat").status, FileStatus::Loaded);
    EXPECT_TRUE(WriteWholeFile(dir / "clip.dat", big));
    EXPECT_EQ(Get("clip.dat"), big);
    EXPECT_EQ(ReadWholeFile(dir / "none" / "deeper").status, FileStatus::Missing);
    // Something that cannot be read, such as a folder, is never taken for a missing file.
    EXPECT_EQ(ReadWholeFile(dir).status, FileStatus::Unreadable);
    // A file within the limit that the process cannot hold is too large as well.
    const auto reserve = ReserveFileBytes;
    ReserveFileBytes = [](std::string&, std::size_t) { throw std::bad_alloc(); };
    EXPECT_EQ(ReadWholeFile(dir / "clip.dat").problem, ReadProblem::TooLarge);
    ReserveFileBytes = reserve;
}

// Complete copies that an ended process left beside a file are kept under names no later save uses.
TEST_F(Store, LeftoverCopiesAreKept) {
    for (const char* name : {"clip.dat.new", "clip.dat.old", "clip.dat.kept"})
        WriteWholeFile(dir / name, name);
    EXPECT_EQ(KeepLeftoverCopies(dir / "clip.dat"),
              (std::vector<fs::path>{dir / "clip.dat.kept2", dir / "clip.dat.kept3"}));
    EXPECT_EQ(Get("clip.dat.kept2") + Get("clip.dat.kept3"), "clip.dat.newclip.dat.old");
    EXPECT_TRUE(KeepLeftoverCopies(dir / "clip.dat").empty());
    EXPECT_EQ(Entries(), 3);
}

TEST_F(Store, PairIsWrittenWholeOrNotAtAll) {
    // A folder in the way blocks one step; "hkey.dat" as a folder reads as "".
    const std::tuple<const char*, bool, bool, std::string, std::string, long> cases[] = {
        {"", true, true, "new settings", "new keys", 2},
        {"kwibra.ini.tmp", true, false, "old settings", "old keys", 3},
        {"hkey.dat.tmp", true, false, "old settings", "old keys", 3},
        {"hkey.dat", true, false, "old settings", "", 2},
        {"hkey.dat", false, false, "", "", 1},
    };
    for (const auto& [blocked, hadSettings, written, settings, keys, entries] : cases) {
        SCOPED_TRACE(blocked);
        fs::remove_all(dir);
        fs::create_directories(dir);
        if (hadSettings) WriteWholeFile(dir / "kwibra.ini", "old settings");
        if (blocked != "hkey.dat"s) WriteWholeFile(dir / "hkey.dat", "old keys");
        fs::create_directories(dir / blocked);
        EXPECT_EQ(WriteFilePair(dir / "kwibra.ini", "new settings", dir / "hkey.dat", "new keys"), written);
        EXPECT_EQ(Get("kwibra.ini") + "/" + Get("hkey.dat"), settings + "/" + keys);
        EXPECT_EQ(Entries(), entries);
    }
}

}  // namespace
