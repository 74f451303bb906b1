#pragma once

#include "SmartWindow.h"

// A window object that takes over the window procedure of an existing
// native window and passes what it does not handle to the replaced one.
class SmartSubclassWindow : public SmartWindow {
  public:
    SmartSubclassWindow();
    ~SmartSubclassWindow() override;

    // Installs CommonWindowProc on the bound window, once. Nothing happens
    // when unbound, already subclassed, or when the window already runs
    // CommonWindowProc (it would call itself).
    void Subclass();
    // Binds the unbound object to an existing window, then Subclass().
    // False when already bound or the window is not subclassed.
    bool Subclass(HWND window);
    // Puts the replaced procedure back while the window exists; the object
    // is unbound afterwards in every case.
    void Unsubclass();

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
