#pragma once
// The window a phrase goes to, and the keys that paste it there.
#include <windows.h>

#include <array>
#include <string_view>

// A click on the tray icon makes the taskbar (or the overflow area of its
// icons, or, under Wine without a system tray, Wine's own tray window) the
// foreground window, and the program's own windows are never where the user
// typed: none of them is taken as the target.
bool CanBeTarget(std::string_view className, DWORD processId);

// Ctrl+V as real key events with scan codes, which remote-desktop clients,
// virtual machines and games need; the right Ctrl is an extended key.
std::array<INPUT, 4> PasteKeyEvents(bool rightControl);

// True when the window's process runs with more rights than this one (as
// administrator while we do not): Windows then drops our synthesised keys.
bool IsElevatedAboveUs(HWND window);
