#pragma once
// The list box (1000) of the settings dialog: one phrase line per item, the
// item's hotkey record as item data. Arrow keys select or move items, a
// double click starts dragging the selected item.
#include <cstdint>

#include "SmartControl.h"

class SettingsDialog;

class ItemListBox : public SmartControl {
  public:
    explicit ItemListBox(SettingsDialog* dialog);

    void OnMouseMove(WPARAM keys, int x, int y) override;
    void OnLButtonDblClk(WPARAM keys, int x, int y) override;
    void OnLButtonUp(WPARAM keys, int x, int y) override;
    void OnKeyDown(WPARAM key, LPARAM flags) override;

    // Up, Down, Left and Right: select (or, with Shift or Ctrl held, move
    // the selected item) and report the selection change. False for other
    // keys, which are left to the list box.
    bool HandleArrowKey(WPARAM key);
    bool IsDragging() const { return dragging != 0; }

    SettingsDialog* dialog;

  private:
    void StepSelection(int step);
    void RefreshDragRect();

    std::int32_t dragging = 0;
    RECT dragRect{};
    HWND previousCapture = nullptr;

  public:
    // Top edge of the list box in the roomy and in the compact layout, in
    // dialog client coordinates.
    std::int32_t listTop = 0;
    std::int32_t compactTop = 0;
};
