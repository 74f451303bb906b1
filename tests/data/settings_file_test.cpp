#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/SettingsFile.h"

namespace {

using Lines = std::vector<std::string>;

const std::string NoMenuKeys(6, '\0');

struct Decoded {
    AppSettings options;
    DecodedSettings settings;
    Lines texts() const
    {
        Lines t;
        for (const SettingsLine& line : settings.lines)
            t.push_back(line.text);
        return t;
    }
};

Decoded Decode(std::string_view text, std::string_view hkey = {}, AppSettings start = {})
{
    Decoded d{start, {}};
    d.settings = DecodeSettings(text, hkey, d.options);
    return d;
}

bool operator==(const AppSettings& a, const AppSettings& b)
{
    return a.tildeOnShiftZero == b.tildeOnShiftZero && a.historyLimit == b.historyLimit &&
           a.waitForKeyRelease == b.waitForKeyRelease;
}

constexpr HotkeyRecord None{0, 0};
constexpr HotkeyRecord CtrlAltA{0x41, 3};

// ---- Failure handling: nothing at all, or too little to be a list ----

TEST(DecodeSettings, TextWithoutAnyLineGivesNoHotkeysAndNoLines)
{
    const std::string hkey = "\x70\x01\x71\x02\x72\x04\x31\x02";
    for (std::string_view text : {"", "65", "65\r", "0\t30\t-1\t0"}) {
        const Decoded d = Decode(text, hkey, {1, 7, 0});
        EXPECT_TRUE(d.settings.lines.empty()) << text;
        EXPECT_EQ(d.settings.menuHotkeys[0], None);
        EXPECT_EQ(d.settings.menuHotkeys[2], None);
        EXPECT_TRUE((d.options == AppSettings{1, 7, 0}));
    }
}

TEST(DecodeSettings, FewerThanThreeLinesStillGiveTheMenuHotkeys)
{
    const std::string hkey = "\x70\x01\x71\x02\x72\x04";
    const struct {
        const char* text;
        HotkeyRecord phraseMenu;
    } cases[] = {
        {"65\n3\n", CtrlAltA},
        {"65\n3", CtrlAltA},
        {"65\n", {0x41, 0}},
        {"65\n3\n0", CtrlAltA},
        {"65\n3\nlast line without LF", CtrlAltA},
    };
    for (const auto& c : cases) {
        const Decoded d = Decode(c.text, hkey);
        EXPECT_TRUE(d.settings.lines.empty()) << c.text;
        EXPECT_EQ(d.settings.menuHotkeys[0], (HotkeyRecord{0x70, 1})) << c.text;
        EXPECT_EQ(d.settings.menuHotkeys[1], (HotkeyRecord{0x71, 2})) << c.text;
        EXPECT_EQ(d.settings.menuHotkeys[2], c.phraseMenu) << c.text;
    }
}

TEST(DecodeSettings, SecondAndThirdLineCountWithoutLineFeed)
{
    const Decoded options = Decode("65\n3\n1\t30\t-1\t0", NoMenuKeys, {0, 7, 5});
    EXPECT_TRUE((options.options == AppSettings{1, 30, 0}));
    EXPECT_EQ(options.settings.menuHotkeys[2], None);
    EXPECT_TRUE(options.settings.lines.empty());
}

TEST(DecodeSettings, LastLineWithoutLineFeedIsNotRead)
{
    EXPECT_EQ(Decode("0\n0\n0\nA\nB").texts(), (Lines{"A"}));
    EXPECT_EQ(Decode("0\n0\n0\nA\nB\n").texts(), (Lines{"A", "B"}));
    EXPECT_EQ(Decode("0\n0\n0\nA\n\n").texts(), (Lines{"A", ""}));
}

// ---- Lines 1 and 2: the legacy hotkey ----

TEST(DecodeSettings, LegacyNumbers)
{
    const struct {
        const char* text;
        HotkeyRecord phraseMenu;
    } cases[] = {
        {"65\n3\n0\n", CtrlAltA},
        {"  65\n\t3\n0\n", CtrlAltA},
        {"+65\n3\r\n0\n", CtrlAltA},
        {"65abc\n3 4\n0\n", CtrlAltA},
        {"x65\n3\n0\n", {0, 3}},
        {"65\n-\n0\n", {0x41, 0}},
        {"\n\n0\n", None},
        {"321\n259\n0\n", {0x41, 3}},       // only the low bytes count
        {"-1\n0\n0\n", {0xFF, 0}},
        {"99999999999999999999\n0\n0\n", {0xFF, 0}}, // saturates, no overflow
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode(c.text, NoMenuKeys + "\x55\x01").settings.menuHotkeys[2], c.phraseMenu) << c.text;
}

TEST(DecodeSettings, LegacyPairReplacesTheMenuNamedByLegacyTarget)
{
    const std::string hkey = "\x70\x01\x71\x02\x72\x04";
    const struct {
        const char* optionsLine;
        std::array<HotkeyRecord, 3> menus;
    } cases[] = {
        {"0", {HotkeyRecord{0x70, 1}, {0x71, 2}, CtrlAltA}},
        {"0\t20", {HotkeyRecord{0x70, 1}, {0x71, 2}, CtrlAltA}},
        {"0\t20\t0", {CtrlAltA, HotkeyRecord{0x71, 2}, {0x72, 4}}},
        {"0\t20\t1\t1", {HotkeyRecord{0x70, 1}, CtrlAltA, {0x72, 4}}},
        {"0\t20\t-1\t1", {HotkeyRecord{0x70, 1}, {0x71, 2}, {0x72, 4}}},
        {"0\t20\t7\t1", {HotkeyRecord{0x70, 1}, {0x71, 2}, {0x72, 4}}},
    };
    for (const auto& c : cases) {
        const std::string text = std::string("65\n3\n") + c.optionsLine + "\n";
        EXPECT_EQ(Decode(text, hkey).settings.menuHotkeys, c.menus) << c.optionsLine;
    }
}

// ---- Line 3: the options ----

TEST(DecodeSettings, OptionsLine)
{
    const AppSettings start{1, 7, 5};
    const struct {
        const char* line;
        AppSettings options;
    } cases[] = {
        {"0", {0, 7, 5}},
        {"1", {1, 7, 5}},
        {"0\r", {0, 7, 5}},
        {"01", {0, 7, 5}},
        {"1\t30\t-1\t1", {1, 30, 1}},
        {"0\t30\t-1\t0\r", {0, 30, 0}},
        {"0\t30\t-1\r", {0, 30, 5}},
        {"0\t30\t-1", {0, 30, 5}},
        {"0\t30", {0, 30, 5}},
        {"0\t0\t-1\t1", {0, 20, 1}},
        {"0\t-5\t-1\t1", {0, 20, 1}},
        {"0\tabc", {0, 20, 5}},
        {"0\t", {0, 20, 5}},
        {"0\t\t\t40", {0, 40, 5}},
        {"0\t99999999999\t-1\t1", {0, 2147483647, 1}},
        {"0 \t30\t-1\t1", {0, 7, 5}}, // no TAB right after the digit
    };
    for (const auto& c : cases) {
        const Decoded d = Decode(std::string("0\n0\n") + c.line + "\nA\n", {}, start);
        EXPECT_TRUE(d.options == c.options) << c.line << " -> " << d.options.tildeOnShiftZero << ","
                                            << d.options.historyLimit << "," << d.options.waitForKeyRelease;
        EXPECT_EQ(d.texts(), Lines{"A"}) << c.line;
    }
}

TEST(DecodeSettings, ThirdLineNotStartingWithADigitIsTheFirstListLine)
{
    const struct {
        const char* text;
        Lines lines;
    } cases[] = {
        {"65\n3\nfirst\nsecond\n", {"first", "second"}},
        {"65\n3\n2\t20\n", {"2\t20"}},
        {"65\n3\n＾＾；\r\n", {"＾＾；"}},
        {"65\n3\n\n", {""}},
        {"65\n3\n 0\n", {" 0"}},
        {"65\n3\n1 is taken as options\nx\n", {"x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode(c.text).texts(), c.lines) << c.text;

    const Decoded old = Decode("65\n3\nfirst\nsecond\n", NoMenuKeys + "\x31\x02\x32\x04");
    EXPECT_EQ(old.settings.menuHotkeys[2], CtrlAltA);
    EXPECT_EQ(old.settings.lines[0].hotkey, (HotkeyRecord{0x31, 2}));
    EXPECT_EQ(old.settings.lines[1].hotkey, (HotkeyRecord{0x32, 4}));
}

// ---- The list lines ----

TEST(DecodeSettings, LineEnds)
{
    const struct {
        std::string body;
        Lines lines;
    } cases[] = {
        {"A\r\nB\n", {"A", "B"}},
        {"A\r\r\n", {"A\r"}},
        {"\r\n\r\n", {"", ""}},
        {"A\rB\n", {"A\rB"}},
        {"表\r\nソ\n", {"表", "ソ"}},
        {"cut\x95\n", {"cut\x95"}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode("0\r\n0\r\n0\r\n" + c.body).texts(), c.lines) << c.body;
}

TEST(DecodeSettings, EachLineTakesItsHotkeyRecordInStep)
{
    const std::string text = "0\n0\n0\t20\t-1\t1\n---\n-->\n -節\nA\n";
    const std::string hkey = NoMenuKeys + std::string("\0\0\0\0\x33\x02\x41\x00", 8);
    const Decoded d = Decode(text, hkey);
    ASSERT_EQ(d.settings.lines.size(), 4u);
    EXPECT_EQ(d.settings.lines[2].hotkey, (HotkeyRecord{0x33, 2}));
    EXPECT_EQ(d.settings.lines[3].hotkey, (HotkeyRecord{0x41, 0}));
}

TEST(DecodeSettings, ShortOrMissingHotkeyFileGivesZeros)
{
    const std::string text = "0\n0\n0\t20\t-1\t1\nA\nB\n";
    const struct {
        std::string hkey;
        HotkeyRecord mainMenu;
        HotkeyRecord firstLine;
    } cases[] = {
        {"", None, None},
        {"\x70", {0x70, 0}, None},
        {NoMenuKeys, None, None},
        {NoMenuKeys + "\x31", None, {0x31, 0}},
        {"\x70\x01" + NoMenuKeys, {0x70, 1}, None},
    };
    for (const auto& c : cases) {
        const Decoded d = Decode(text, c.hkey);
        ASSERT_EQ(d.settings.lines.size(), 2u);
        EXPECT_EQ(d.settings.menuHotkeys[0], c.mainMenu);
        EXPECT_EQ(d.settings.lines[0].hotkey, c.firstLine);
        EXPECT_EQ(d.settings.lines[1].hotkey, None);
    }
}

TEST(DecodeSettings, LongLineIsReadWholeAndTheLinesAfterItKeepTheirRecords)
{
    const std::string longLine(5000, 'x');
    const std::string text = "0\n0\n0\n" + longLine + "\r\nnext\n";
    const Decoded d = Decode(text, NoMenuKeys + "\x31\x01\x32\x02");
    EXPECT_EQ(d.texts(), (Lines{longLine, "next"}));
    EXPECT_EQ(d.settings.lines[1].hotkey, (HotkeyRecord{0x32, 2}));
}

// ---- Writing ----

TEST(EncodeSettings, HeaderAndLines)
{
    EXPECT_EQ(EncodeSettingsFile({}, {}), "0\r\n0\r\n0\t20\t-1\t1\r\n");
    EXPECT_EQ(EncodeSettingsFile({1, 5, 0}, {{"A", {}}, {"表", {}}}), "0\r\n0\r\n1\t5\t-1\t0\r\nA\r\n表\r\n");
    EXPECT_EQ(EncodeSettingsFile({3, -2, 7}, {}), "0\r\n0\r\n1\t-2\t-1\t7\r\n");
}

TEST(EncodeSettings, LineBreaksInsideALineAreWrittenAsEscapes)
{
    const struct {
        const char* text;
        const char* written;
    } cases[] = {
        {"a\r\nb", "a\\nb"}, {"a\rb", "a\\nb"},       {"a\nb", "a\\nb"},
        {"a\r", "a\\n"},     {"a\n\rb", "a\\n\\nb"},  {" -節\ta\r\nb", " -節\ta\\nb"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodeSettingsFile({}, {{c.text, {}}}), std::string("0\r\n0\r\n0\t20\t-1\t1\r\n") + c.written + "\r\n");
}

TEST(EncodeSettings, HotkeyFileHasSixBytesAndTwoPerLine)
{
    const EncodedSettings files = EncodeSettings(
        {}, {HotkeyRecord{0, 0}, {0, 0}, CtrlAltA}, {{"A", {}}, {"B", {0x31, 4}}, {"C", {}}});
    EXPECT_EQ(files.hkeyBytes, std::string("\0\0\0\0\x41\x03\0\0\x31\x04\0\0", 12));
}

TEST(SettingsRoundTrip, LinesHotkeysAndOptionsComeBack)
{
    const std::vector<SettingsLine> lines = {
        {"＾＾；", {}},          {"ソ表", {0x31, 2}},  {"", {}},           {"---", {}},
        {"-->", {0x32, 0}},      {" -新しいメニュー(&N)", {0x33, 7}}, {"cut\x95", {}},
        {" * C:\\ : x", {0xFF, 0xFF}}, {"0", {}},   {"1\tlooks like options", {}},
    };
    const AppSettings options{1, 99, 0};
    const std::array<HotkeyRecord, 3> menus{HotkeyRecord{0x70, 1}, {0, 0}, {0x41, 3}};
    const EncodedSettings files = EncodeSettings(options, menus, lines);

    const Decoded d = Decode(files.settingsBytes, files.hkeyBytes);
    EXPECT_TRUE(d.options == options);
    EXPECT_EQ(d.settings.menuHotkeys, menus);
    ASSERT_EQ(d.settings.lines.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(d.settings.lines[i].text, lines[i].text);
        EXPECT_EQ(d.settings.lines[i].hotkey, lines[i].hotkey);
    }
}

TEST(SettingsRoundTrip, LineHoldingLineBreaksStaysOneLineAndKeepsTheRecordsAligned)
{
    const std::vector<SettingsLine> lines = {{" -clip\r\nboard\nsection", {0x31, 1}}, {"after", {0x32, 2}}};
    const EncodedSettings files = EncodeSettings({}, {}, lines);
    const Decoded d = Decode(files.settingsBytes, files.hkeyBytes);
    EXPECT_EQ(d.texts(), (Lines{" -clip\\nboard\\nsection", "after"}));
    EXPECT_EQ(d.settings.lines[1].hotkey, (HotkeyRecord{0x32, 2}));
}

} // namespace
