#include "settings/HelpText.h"

#include "resource.h"

namespace {

// The help for the line being edited, shown while the line edit (or the list
// box, when no text is held) has the focus.
UINT LineHelp(const HelpState& state) {
    const std::string_view line = state.line;
    UINT id = IDS_HELP_LINE;
    if (line == "---")
        id = IDS_HELP_SEPARATOR;
    else if (line == "-->")
        id = IDS_HELP_COLUMN_BREAK;
    else if (!line.empty() && state.holdingText)
        id = IDS_HELP_LINE_HOLDING;

    if (state.multiLine && id == IDS_HELP_LINE_HOLDING)
        id = IDS_HELP_MULTI_LINE_HOLDING;
    else if (state.multiLine && id == IDS_HELP_LINE)
        id = IDS_HELP_MULTI_LINE;

    if (line.size() >= 2 && line[0] == ' ') {
        const bool more = line.size() > 2;
        switch (line[1]) {
            case '*':
                id = more ? IDS_HELP_COMMAND_LINE : IDS_HELP_COMMAND_MARK;
                break;
            case '+':
                id = more ? IDS_HELP_LABEL_LINE : IDS_HELP_LABEL_MARK;
                break;
            case '-':
                id = more ? IDS_HELP_SECTION_LINE : IDS_HELP_SECTION_MARK;
                break;
            default:
                break;
        }
    }
    if (id == IDS_HELP_LINE && state.focusId == IDC_ITEM_LIST) id = IDS_HELP_LIST;
    return id;
}

}  // namespace

UINT ChooseHelpString(const HelpState& state) {
    if (!state.hasFocus) return 0;
    switch (state.focusId) {
        case IDC_DISPLAY_EDIT:
            return IDS_HELP_DISPLAY_EDIT;
        case IDC_CONTENT_EDIT:
            return IDS_HELP_CONTENT_EDIT;
        case IDC_ITEM_HOTKEY:
            return IDS_HELP_ITEM_HOTKEY;
        case IDC_MAIN_MENU_HOTKEY:
        case IDC_PHRASE_MENU_HOTKEY:
        case IDC_HISTORY_MENU_HOTKEY:
            return IDS_HELP_MENU_HOTKEY;
        case IDC_INPUT_MODE_COMBO:
            return IDS_HELP_INPUT_MODE;
        case IDC_ITEM_KIND_COMBO:
            return IDS_HELP_ITEM_KIND;
        case IDC_ITEM_LIST:
            return state.holdingText ? IDS_HELP_LIST_HOLDING : LineHelp(state);
        case IDC_LINE_EDIT:
            return LineHelp(state);
        default:
            return state.line.empty() ? IDS_HELP_OTHER_EMPTY : IDS_HELP_OTHER_WITH_TEXT;
    }
}
