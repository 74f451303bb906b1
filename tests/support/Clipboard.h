#pragma once
// The clipboard from the side of another program: setting text, reading it
// back, and holding it open.
#include <windows.h>

#include <string>
#include <functional>

// CF_TEXT written by a window that is not the application's.
void SetClipboardText(const std::string& text);
std::string ClipboardText();

// Runs action while another thread holds the clipboard open.
void WhileClipboardIsHeld(const std::function<void()>& action);
