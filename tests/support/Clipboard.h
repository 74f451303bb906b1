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
// CF_UNICODETEXT alone, as Unicode programs copy; and what the clipboard holds of a format.
void SetClipboardUnicode(const std::wstring& text);
std::string ClipboardBytes(UINT format);

// Runs action while another thread holds the clipboard open.
void WhileClipboardIsHeld(const std::function<void()>& action);
