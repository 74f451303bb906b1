#include "settings/LineEdit.h"

#include "resource.h"
#include "settings/SettingsDialog.h"

// The state that came with the key being handled, not the keyboard's state
// now: a quick Shift+Ins is already over when its message is read.
bool KeyHeld(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

bool ModifierHeld() { return KeyHeld(VK_CONTROL) || KeyHeld(VK_SHIFT) || KeyHeld(VK_MENU); }

LineEdit::LineEdit(SettingsDialog* owner) : SmartControl(IDC_LINE_EDIT), dialog(owner) {}

void LineEdit::OnKeyDown(WPARAM key, LPARAM) {
    if (!multiLine && (key == VK_UP || key == VK_DOWN)) {
        if (dialog) dialog->PassArrowKeyToList(key);
        return;
    }
    // Ctrl+Enter does not add what the edit holds; Shift+Enter does, as Enter.
    if (!multiLine && key == VK_RETURN && !KeyHeld(VK_CONTROL)) enterPressed = 1;
    ForwardCurrent();
}
