#include <gtest/gtest.h>

#include "resource.h"
#include "settings/HelpText.h"

namespace {

struct HelpCase {
    int focusId;
    const char* line;
    bool holding;
    bool multi;
    UINT expected;
};

TEST(ChooseHelpString, FocusTable) {
    const HelpCase cases[] = {
        {IDC_DISPLAY_EDIT, "x", true, false, IDS_HELP_DISPLAY_EDIT},
        {IDC_CONTENT_EDIT, "", false, false, IDS_HELP_CONTENT_EDIT},
        {IDC_ITEM_HOTKEY, " *x", false, false, IDS_HELP_ITEM_HOTKEY},
        {IDC_MAIN_MENU_HOTKEY, "", false, false, IDS_HELP_MENU_HOTKEY},
        {IDC_PHRASE_MENU_HOTKEY, "", false, false, IDS_HELP_MENU_HOTKEY},
        {IDC_HISTORY_MENU_HOTKEY, "", false, false, IDS_HELP_MENU_HOTKEY},
        {IDC_INPUT_MODE_COMBO, "", false, false, IDS_HELP_INPUT_MODE},
        {IDC_ITEM_KIND_COMBO, "", false, false, IDS_HELP_ITEM_KIND},
        {IDC_ITEM_LIST, "abc", true, false, IDS_HELP_LIST_HOLDING},
        {IDC_ITEM_LIST, " *x", true, false, IDS_HELP_LIST_HOLDING},
        {IDOK, "abc", false, false, IDS_HELP_OTHER_WITH_TEXT},
        {IDOK, "", false, false, IDS_HELP_OTHER_EMPTY},
        {IDC_HISTORY_LIMIT_EDIT, "", true, true, IDS_HELP_OTHER_EMPTY},
        {IDC_WAIT_RELEASE_CHECK, "---", false, false, IDS_HELP_OTHER_WITH_TEXT},
        {0, "", false, false, IDS_HELP_OTHER_EMPTY},
    };
    for (const HelpCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.focusId) + " '" + c.line + "'");
        EXPECT_EQ(c.expected, ChooseHelpString({true, c.focusId, c.line, c.holding, c.multi}));
    }
}

TEST(ChooseHelpString, NoFocusEmptiesTheStatus) {
    EXPECT_EQ(0u, ChooseHelpString({false, IDC_LINE_EDIT, "abc", true, false}));
}

TEST(ChooseHelpString, LineRuleForTheLineEditAndTheListBox) {
    const HelpCase cases[] = {
        {IDC_LINE_EDIT, "", true, false, IDS_HELP_LINE},
        {IDC_LINE_EDIT, "", false, true, IDS_HELP_MULTI_LINE},
        {IDC_LINE_EDIT, "---", true, false, IDS_HELP_SEPARATOR},
        {IDC_LINE_EDIT, "---", false, true, IDS_HELP_SEPARATOR},
        {IDC_LINE_EDIT, "-->", false, false, IDS_HELP_COLUMN_BREAK},
        {IDC_LINE_EDIT, "abc", true, false, IDS_HELP_LINE_HOLDING},
        {IDC_LINE_EDIT, "abc", false, false, IDS_HELP_LINE},
        {IDC_LINE_EDIT, "abc", true, true, IDS_HELP_MULTI_LINE_HOLDING},
        {IDC_LINE_EDIT, "abc", false, true, IDS_HELP_MULTI_LINE},
        {IDC_LINE_EDIT, " *", false, false, IDS_HELP_COMMAND_MARK},
        {IDC_LINE_EDIT, " *x", true, true, IDS_HELP_COMMAND_LINE},
        {IDC_LINE_EDIT, " +", false, false, IDS_HELP_LABEL_MARK},
        {IDC_LINE_EDIT, " +a : b", false, false, IDS_HELP_LABEL_LINE},
        {IDC_LINE_EDIT, " -", true, false, IDS_HELP_SECTION_MARK},
        {IDC_LINE_EDIT, " -新", false, false, IDS_HELP_SECTION_LINE},
        {IDC_LINE_EDIT, " x", true, false, IDS_HELP_LINE_HOLDING},
        {IDC_LINE_EDIT, " ", true, false, IDS_HELP_LINE_HOLDING},
        {IDC_ITEM_LIST, "", false, false, IDS_HELP_LIST},
        {IDC_ITEM_LIST, "abc", false, false, IDS_HELP_LIST},
        {IDC_ITEM_LIST, "", false, true, IDS_HELP_MULTI_LINE},
        {IDC_ITEM_LIST, "---", false, false, IDS_HELP_SEPARATOR},
        {IDC_ITEM_LIST, " *", false, false, IDS_HELP_COMMAND_MARK},
    };
    for (const HelpCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.focusId) + " '" + c.line + "' holding " + std::to_string(c.holding) +
                     " multi " + std::to_string(c.multi));
        EXPECT_EQ(c.expected, ChooseHelpString({true, c.focusId, c.line, c.holding, c.multi}));
    }
}

}  // namespace
