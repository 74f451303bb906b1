#pragma once
// Runs a modal dialog with a test body: the steps act like a user on the
// dialog that is open (the topmost enabled dialog of this thread), one step
// each time the messages of the previous one have been handled.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct Step {
    enum Kind { Select, Type, Key, Click, Check } kind = Check;
    int control = 0;                            // dialog control; 0 for the dialog itself
    std::string text = {};                      // Type: the new text
    int value = 0;                              // Select: the list or combo box index; Key: the virtual key
    bool ctrl = false;                          // Key: Ctrl held down
    bool shift = false;                         // Key: Shift held down
    std::function<void(HWND)> check = nullptr;  // Check: assertions on the dialog
};

inline Step SelectAt(int control, int index) { return {Step::Select, control, {}, index}; }
inline Step TypeInto(int control, std::string text) { return {Step::Type, control, std::move(text)}; }
inline Step Press(int control, int key, bool ctrl = false, bool shift = false) {
    return {Step::Key, control, {}, key, ctrl, shift};
}
inline Step ClickOn(int control) { return {Step::Click, control}; }
inline Step Expect(std::function<void(HWND)> check) { return {Step::Check, 0, {}, 0, false, false, check}; }

// Calls open, which shows a modal dialog, and performs the steps inside its
// loop. A dialog still open after the last step is cancelled; steps that
// stall fail the test instead of hanging it. Without steps, no dialog is
// expected: one that opens is a failure, and is cancelled.
void RunDialog(const std::function<void()>& open, std::vector<Step> steps);

// Small readers for checks.
std::string ControlText(HWND dialog, int control);
std::vector<std::string> ListLines(HWND dialog, int control);
