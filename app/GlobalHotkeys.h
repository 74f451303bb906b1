#pragma once
// The HotkeyList's bindings as global hotkeys of the main window, and each
// hotkey message told a press or a repeat by the raw keyboard input, which
// reaches the window also while other programs have the focus.
#include <windows.h>

#include <vector>

#include "app/KeyPresses.h"
#include "data/HotkeyList.h"

class GlobalHotkeys {
  public:
    // Registers every binding with a key, in the order of their identifiers
    // (the list's order for its items: of two entries with the same key the
    // first keeps it); returns those the system refused.
    std::vector<const HotkeyBinding*> Register(HWND window, const HotkeyBinding* first);
    void Unregister(HWND window, const HotkeyBinding* first);
    // Registered, or suspended while the settings dialog is active.
    bool registered() const { return registered_; }
    // False when Shift+0 was to be registered and the system refused.
    static bool RegisterTilde(HWND window, bool on);

    void ListenToKeys(HWND window, bool on);
    // For WM_HOTKEY of virtualKey at time: the key events read before it
    // decide; without raw input only the system's MOD_NOREPEAT keeps repeats away.
    bool IsNewPress(HWND window, UINT virtualKey, DWORD time);
    void OnRawInput(LPARAM input);

  private:
    bool registered_ = false;
    bool listening_ = false;
    KeyPresses presses_;
};
