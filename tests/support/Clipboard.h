#pragma once
// The clipboard from the side of another program: setting text, reading it
// back, and holding the clipboard open.
#include <windows.h>

#include <string>
#include <thread>

// CF_TEXT written by a window that is not the application's.
void SetClipboardText(const std::string& text);
std::string ClipboardText();

// Keeps the clipboard open from a thread of its own until released.
class ClipboardHolder {
  public:
    ClipboardHolder();
    ~ClipboardHolder() { Release(); }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    void Release();

  private:
    HANDLE release_;
    std::thread thread_;
};
