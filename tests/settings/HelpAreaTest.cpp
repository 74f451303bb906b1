// The status and help area follows the focus and the line being edited.
#include "DialogHarness.h"

#include <commctrl.h>

namespace {

struct HelpRow {
    const char* name;
    int mode;          // input mode to be in
    const char* line;  // text of the line edit (set while it has the focus)
    int select;        // list item to select first, -1 none
    int focus;         // control that gets the focus last
    UINT expected;
};

class HelpArea : public SettingsDialogTest {};

TEST_F(HelpArea, FollowsTheFocusTableAndTheLineRule) {
    owner->fill.lines = {{"alpha"}, {"beta"}, {"---"}};
    const HelpRow rows[] = {
        {"display edit", 1, "x", -1, IDC_DISPLAY_EDIT, IDS_HELP_DISPLAY_EDIT},
        {"content edit", 1, "", -1, IDC_CONTENT_EDIT, IDS_HELP_CONTENT_EDIT},
        {"kind combo", 1, "", -1, IDC_ITEM_KIND_COMBO, IDS_HELP_ITEM_KIND},
        {"mode combo", 0, "", -1, IDC_INPUT_MODE_COMBO, IDS_HELP_INPUT_MODE},
        {"item hotkey", 0, "", 0, IDC_ITEM_HOTKEY, IDS_HELP_ITEM_HOTKEY},
        {"main menu hotkey", 0, "", -1, IDC_MAIN_MENU_HOTKEY, IDS_HELP_MENU_HOTKEY},
        {"phrase menu hotkey", 0, "", -1, IDC_PHRASE_MENU_HOTKEY, IDS_HELP_MENU_HOTKEY},
        {"history menu hotkey", 0, "", -1, IDC_HISTORY_MENU_HOTKEY, IDS_HELP_MENU_HOTKEY},
        {"list, nothing typed", 0, "", -1, IDC_ITEM_LIST, IDS_HELP_LIST},
        {"list, multi-line mode", 2, "", -1, IDC_ITEM_LIST, IDS_HELP_MULTI_LINE},
        {"list, holding", 0, "held", -1, IDC_ITEM_LIST, IDS_HELP_LIST_HOLDING},
        {"list, selected item unchanged", 0, nullptr, 1, IDC_ITEM_LIST, IDS_HELP_LIST},
        {"line, empty", 0, "", -1, IDC_LINE_EDIT, IDS_HELP_LINE},
        {"line, holding", 0, "abc", -1, IDC_LINE_EDIT, IDS_HELP_LINE_HOLDING},
        {"line, separator", 0, "---", -1, IDC_LINE_EDIT, IDS_HELP_SEPARATOR},
        {"line, column break", 0, "-->", -1, IDC_LINE_EDIT, IDS_HELP_COLUMN_BREAK},
        {"line, command mark", 0, " *", -1, IDC_LINE_EDIT, IDS_HELP_COMMAND_MARK},
        {"line, command", 0, " *x", -1, IDC_LINE_EDIT, IDS_HELP_COMMAND_LINE},
        {"line, label mark", 0, " +", -1, IDC_LINE_EDIT, IDS_HELP_LABEL_MARK},
        {"line, label", 0, " +a : b", -1, IDC_LINE_EDIT, IDS_HELP_LABEL_LINE},
        {"line, section mark", 0, " -", -1, IDC_LINE_EDIT, IDS_HELP_SECTION_MARK},
        {"line, section", 0, " -新", -1, IDC_LINE_EDIT, IDS_HELP_SECTION_LINE},
        {"line, blank then text", 0, " x", -1, IDC_LINE_EDIT, IDS_HELP_LINE_HOLDING},
        {"line, multi-line separator", 2, "---", -1, IDC_LINE_EDIT, IDS_HELP_SEPARATOR},
        {"line, multi-line command", 2, " *x", -1, IDC_LINE_EDIT, IDS_HELP_COMMAND_LINE},
        {"line, multi-line empty", 2, "", -1, IDC_LINE_EDIT, IDS_HELP_MULTI_LINE},
        {"line, multi-line holding", 2, "abc", -1, IDC_LINE_EDIT, IDS_HELP_MULTI_LINE_HOLDING},
        {"line, selected item unchanged", 0, nullptr, 0, IDC_LINE_EDIT, IDS_HELP_LINE},
        {"button with text", 0, "abc", -1, IDOK, IDS_HELP_OTHER_WITH_TEXT},
        {"button, empty line", 0, "", -1, IDC_UPDATE_BUTTON, IDS_HELP_OTHER_EMPTY},
        {"history size, empty line", 0, "", -1, IDC_HISTORY_LIMIT_EDIT, IDS_HELP_OTHER_EMPTY},
        {"checkbox with text", 0, "abc", -1, IDC_WAIT_RELEASE_CHECK, IDS_HELP_OTHER_WITH_TEXT},
    };
    std::vector<Step> steps;
    for (const HelpRow& row : rows) {
        steps.push_back([row](SettingsDialog&, HWND d) {
            SCOPED_TRACE(row.name);
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, row.mode);
            TypeOver(Item(d, IDC_LINE_EDIT), "");
            if (row.select >= 0) SelectItem(d, row.select);
            SetFocus(Item(d, IDC_LINE_EDIT));
            if (row.line) TypeOver(Item(d, IDC_LINE_EDIT), row.line);
            // Leaving the line edit reports the new focus (EN_KILLFOCUS).
            SetFocus(Item(d, row.focus));
            EXPECT_EQ(Item(d, row.focus), GetFocus());
            EXPECT_EQ(ResourceString(row.expected), Status(d));
        });
    }
    owner->Run(*std::make_unique<SettingsDialog>(), steps);
}

TEST_F(HelpArea, IsEmptyAfterANotificationWithNoFocus) {
    SettingsDialog dialog;
    owner->Run(dialog, {[&](SettingsDialog&, HWND d) {
                   SetFocus(Item(d, IDC_LINE_EDIT));
                   EXPECT_FALSE(Status(d).empty());
                   SetFocus(nullptr);  // the line edit reports that it lost the focus
                   EXPECT_EQ("", Status(d));
               }});
}

}  // namespace
