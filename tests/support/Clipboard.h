#pragma once
// The clipboard from the side of another program: setting text, reading it
// back, and holding it open.
#include <windows.h>

#include <string>
#include <functional>

// CF_TEXT written by a window that is not the application's, with a mark
// of that format (holding the value) where one is named.
void SetClipboardText(const std::string& text, const char* markFormat = nullptr, DWORD mark = 0);
std::string ClipboardText();

// Runs action while another thread holds the clipboard open.
void WhileClipboardIsHeld(const std::function<void()>& action);
