#pragma once
// The line edit (1001) of the settings dialog: the phrase line being
// composed, in a single-line or a multi-line layout.
#include <cstdint>

#include "SmartControl.h"

class SettingsDialog;

// The key was down when the key message being handled was sent.
bool KeyHeld(int virtualKey);
// Ctrl, Shift or Alt is down: the plain keys of the dialog (Enter, Ins) then mean something else.
bool ModifierHeld();

class LineEdit : public SmartControl {
  public:
    explicit LineEdit(SettingsDialog* dialog);

    // In the single-line layout Enter presses OK (the dialog's Enter rule
    // then decides) and Up and Down move the list selection instead of the caret.
    void OnKeyDown(WPARAM key, LPARAM flags) override;

    // Set while the edit holds text that differs from the selected item.
    std::uint8_t holdingText = 1;
    std::uint8_t multiLine = 0;
    // Set by Enter in the single-line layout until the dialog's OnOK sees it.
    std::uint8_t enterPressed = 0;
    // Bottom edge of the single-line and of the multi-line layout, in dialog
    // client coordinates.
    std::int32_t singleBottom = 0;
    std::int32_t multiBottom = 0;
    SettingsDialog* dialog;
};
