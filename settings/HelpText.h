#pragma once
// Which help string the status area of the settings dialog shows.
#include <windows.h>

#include <string_view>

struct HelpState {
    bool hasFocus = false;  // some window of the program has the keyboard focus
    int focusId = 0;        // its control identifier
    std::string_view line;  // the line edit's text as a phrase line
    bool holdingText = false;
    bool multiLine = false;
};

// The string identifier to show; 0 empties the status area.
UINT ChooseHelpString(const HelpState& state);
