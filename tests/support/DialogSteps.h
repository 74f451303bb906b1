#pragma once
// Runs a modal dialog with a test body: the steps act like a user on the dialog that is open (the topmost
// enabled dialog of this thread), one step each time the messages of the previous one have been handled.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// An action of a user's on a control of the open dialog, or assertions on the dialog.
using Step = std::function<void(HWND dialog)>;
Step SelectAt(int control, int index);  // an item of a list or combo box
Step TypeInto(int control, std::string text);
Step Press(int control, int key, UINT held = 0);  // a key, MOD_CONTROL and MOD_SHIFT held while it is read
Step ClickOn(int control);
inline Step Expect(Step check) { return check; }

// Calls open, which shows a modal dialog, and performs the steps inside its loop. A dialog still open after
// the last step is cancelled; stalled steps fail the test; without steps, any dialog that opens fails it.
void RunDialog(const std::function<void()>& open, std::vector<Step> steps);

// The text of a dialog's control, for checks.
inline std::string ControlText(HWND dialog, int control) {
    const HWND window = GetDlgItem(dialog, control);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
