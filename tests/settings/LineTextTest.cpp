#include <gtest/gtest.h>

#include "resource.h"
#include "settings/HelpText.h"
#include "settings/LineText.h"

TEST(SettingsHelpText, FollowsTheFocusAndTheLineBeingEdited) {
    const std::pair<HelpState, UINT> rows[] = {
        {{false, IDC_LINE_EDIT, "a"}, 0},
        {{true, IDOK, ""}, IDS_HELP_OTHER_EMPTY},
        {{true, IDC_ITEM_LIST, "a", true}, IDS_HELP_LIST_HOLDING},
        {{true, IDC_ITEM_LIST, "a"}, IDS_HELP_LIST},
        {{true, IDC_LINE_EDIT, "a"}, IDS_HELP_LINE},
        {{true, IDC_LINE_EDIT, "a", true}, IDS_HELP_LINE_HOLDING},
        {{true, IDC_LINE_EDIT, "", true, true}, IDS_HELP_MULTI_LINE},
        {{true, IDC_LINE_EDIT, "a", true, true}, IDS_HELP_MULTI_LINE_HOLDING},
        {{true, IDC_LINE_EDIT, "-->", true}, IDS_HELP_COLUMN_BREAK},
        {{true, IDC_LINE_EDIT, "--->", true}, IDS_HELP_LINE_HOLDING},
        {{true, IDC_LINE_EDIT, " *", true}, IDS_HELP_COMMAND_MARK},
        {{true, IDC_LINE_EDIT, " *x", true, true}, IDS_HELP_COMMAND_LINE},
        {{true, IDC_ITEM_LIST, " -"}, IDS_HELP_SECTION_MARK},
    };
    for (const auto& [state, help] : rows) EXPECT_EQ(help, ChooseHelpString(state)) << state.line;
}

// Text, escaped, expanded: ソ and 表 end in the byte of the backslash.
TEST(SettingsLineText, LineBreaksEscapeAndExpandByCharacters) {
    const std::tuple<std::string, std::string, std::string> rows[] = {
        {"a\r\nb", "a\\nb", "a\r\nb"},      {"a\rb\n\r", "a\\nb\\n\\n", "a\rb\n\r"},
        {"a\\nb\\", "a\\nb\\", "a\r\nb\\"}, {"ソn表\\n", "ソn表\\n", "ソn表\r\n"},
        {"ソ\r\n", "ソ\\n", "ソ\r\n"},
    };
    for (const auto& [text, escaped, expanded] : rows) {
        EXPECT_EQ(escaped, EscapeLineBreaks(text));
        EXPECT_EQ(expanded, UnescapeLineBreaks(text));
    }
}

TEST(SettingsLineText, ComposedLinesComeApartIntoTheirFields) {
    const std::tuple<ItemKind, std::string, std::string, std::string> rows[] = {
        {ItemKind::Text, "表", "ソ", " +表 : ソ"},
        {ItemKind::Text, "---", "---", " +--- : ---"},
        {ItemKind::Command, "メモ帳", "notepad.exe", " *メモ帳 : notepad.exe"},
        {ItemKind::Command, "", "", " *"},
        {ItemKind::Section, "新", "", " -新"},
    };
    for (const auto& [kind, display, content, line] : rows) {
        EXPECT_EQ(line, ComposeLineText(kind, display, content));
        const LineParts parts = DecomposeLineText(line);
        const auto fields = kind == ItemKind::Section ? std::nullopt : std::optional(content);
        EXPECT_EQ(std::tie(kind, display, fields), std::tie(parts.kind, parts.display, parts.content));
    }
}

TEST(SettingsLineText, APathBecomesACommandNamedAfterItsFile) {
    const std::pair<std::string, std::string> rows[] = {
        {"C:\\ソフト\\表.txt", " * 表 : C:\\ソフト\\表.txt"},
        {"C:/d.x/a.b.txt", " * a.b : C:/d.x/a.b.txt"},
        {"C:\\ソフト\\readme", "memo C:\\ソフト\\readme"},
        {"表.txt", "memo 表.txt"},
    };
    for (const auto& [path, line] : rows) EXPECT_EQ(line, CommandLineForPath(path, "memo "));
}
