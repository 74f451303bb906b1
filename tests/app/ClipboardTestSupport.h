#pragma once
// The clipboard set up by hand for the application's tests.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

struct ClipboardFormat {
    const char* name; // a registered format's name, or null for CF_TEXT
    std::string bytes;
};

std::string DwordBytes(DWORD value);

// Replaces the clipboard contents by the formats, byte for byte (a CF_TEXT
// block therefore needs its own terminating zero).
void SetClipboard(const std::vector<ClipboardFormat>& formats);
void SetClipboardText(const std::string& text);
// The clipboard's CF_TEXT, or "(none)".
std::string ClipboardText();

// Another thread of the process holds the clipboard open for a window of
// its own for holdMs (or until the holder goes).
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD holdMs);
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

private:
    void Hold(DWORD holdMs);

    std::atomic<bool> held_{false};
    std::atomic<bool> release_{false};
    std::thread thread_;
};
