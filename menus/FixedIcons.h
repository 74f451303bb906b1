#pragma once
// The two fixed item icons (the label page and the clipboard), loaded once at
// at the small icon size and published as the data layer's LabelIcon and HistoryIcon.
#include <windows.h>

#include "menus/GdiHandles.h"

class FixedIcons {
  public:
    FixedIcons() = default;
    // Withdraws the icons from LabelIcon and HistoryIcon and destroys them.
    ~FixedIcons();
    FixedIcons(const FixedIcons&) = delete;
    FixedIcons& operator=(const FixedIcons&) = delete;

    // Loads icon resources 122 and 123 of instance; false when either is missing.
    bool Load(HINSTANCE instance);
    HICON label() const { return label_.get(); }
    HICON history() const { return history_.get(); }

  private:
    void Publish() const;

    UniqueIcon label_;
    UniqueIcon history_;
};
