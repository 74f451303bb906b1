#include "settings/LineEdit.h"

#include "resource.h"
#include "settings/SettingsDialog.h"

LineEdit::LineEdit(SettingsDialog* owner) : SmartControl(IDC_LINE_EDIT), dialog(owner) {}

void LineEdit::OnKeyDown(WPARAM key, LPARAM) {
    if (!multiLine && (key == VK_UP || key == VK_DOWN)) {
        if (dialog) dialog->PassArrowKeyToList(key);
        return;
    }
    if (!multiLine && key == VK_RETURN) enterPressed = 1;
    ForwardCurrent();
}
