#pragma once

#include <windows.h>

// The window procedure of every framework window class and of every
// subclassed control: finds the window object and dispatches to it.
LRESULT CALLBACK CommonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The same as the dialog procedure of framework dialogs. A message for a
// dialog window without an object is left to the dialog manager's own
// default processing (which ends in DefWindowProcA).
INT_PTR CALLBACK CommonDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
