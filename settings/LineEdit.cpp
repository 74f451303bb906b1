#include "settings/LineEdit.h"

#include "resource.h"
#include "settings/SettingsDialog.h"

bool ModifierHeld() {
    return ((GetAsyncKeyState(VK_CONTROL) | GetAsyncKeyState(VK_SHIFT) | GetAsyncKeyState(VK_MENU)) &
            0x8000) != 0;
}

LineEdit::LineEdit(SettingsDialog* owner) : SmartControl(IDC_LINE_EDIT), dialog(owner) {}

void LineEdit::OnKeyDown(WPARAM key, LPARAM) {
    if (!multiLine && (key == VK_UP || key == VK_DOWN)) {
        if (dialog) dialog->PassArrowKeyToList(key);
        return;
    }
    // Only a plain Enter adds what the edit holds; Ctrl+Enter and the like do not.
    if (!multiLine && key == VK_RETURN && !ModifierHeld()) enterPressed = 1;
    ForwardCurrent();
}
