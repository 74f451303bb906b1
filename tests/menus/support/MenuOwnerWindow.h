#pragma once
// A hidden window that owns test menus: it measures and draws their
// owner-drawn entries (through the application object when one is given),
// answers WM_MENUCHAR with MatchMnemonic and runs hooks while a menu is open.
#include <windows.h>

#include <functional>

class PhraseApp;

class MenuOwnerWindow {
  public:
    // Without app, entries are measured and drawn with font.
    explicit MenuOwnerWindow(PhraseApp* app = nullptr, HFONT font = nullptr);
    ~MenuOwnerWindow();
    MenuOwnerWindow(const MenuOwnerWindow&) = delete;
    MenuOwnerWindow& operator=(const MenuOwnerWindow&) = delete;

    HWND hwnd() const { return window_; }

    // Pops up menu at (x, y) and returns the chosen command (0 for none).
    // onIdle runs once, when the open menu first waits for input, with the
    // menu's window; onTimer runs on every WM_TIMER while the menu is open.
    // A menu still open after ten seconds is closed.
    UINT Track(HMENU menu, int x, int y, std::function<void(HWND)> onIdle,
               std::function<void(UINT_PTR)> onTimer = {});

    int menuCharCount = 0;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    PhraseApp* app_;
    HFONT font_;
    HWND window_ = nullptr;
    bool idleSeen_ = false;
    std::function<void(HWND)> onIdle_;
    std::function<void(UINT_PTR)> onTimer_;
};

// The rectangle (screen coordinates) covering every open menu of this thread.
RECT OpenMenusRect();
// Posts a key press (WM_KEYDOWN and WM_KEYUP) to window.
void PostKey(HWND window, WPARAM key);
