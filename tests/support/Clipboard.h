#pragma once
// The clipboard from the side of another program: setting text, reading it back, and holding it open.
#include <windows.h>

#include <cstring>
#include <future>
#include <string>
#include <thread>

// A window of its own, as another program has.
inline HWND OtherProgram() {
    static const HWND window = CreateWindowA("STATIC", "other", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                             GetModuleHandleA(nullptr), nullptr);
    return window;
}

inline void PutOnClipboard(UINT format, const void* bytes, std::size_t size) {
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size)) {
        std::memcpy(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
        SetClipboardData(format, memory);
    }
}

// Written by another program's window, with a mark of that format (holding the value) if named.
inline void SetClipboard(UINT format, const void* bytes, std::size_t size, const char* markFormat,
                         DWORD mark) {
    if (!OpenClipboard(OtherProgram())) return;
    EmptyClipboard();
    PutOnClipboard(format, bytes, size);
    if (markFormat) PutOnClipboard(RegisterClipboardFormatA(markFormat), &mark, sizeof mark);
    CloseClipboard();
}
inline void SetClipboardText(const std::string& text, const char* markFormat = nullptr, DWORD mark = 0) {
    SetClipboard(CF_TEXT, text.c_str(), text.size() + 1, markFormat, mark);
}
// CF_UNICODETEXT alone, as Unicode programs copy.
inline void SetClipboardUnicode(const std::wstring& text) {
    SetClipboard(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t), nullptr, 0);
}

inline std::string ClipboardBytes(UINT format) {
    std::string bytes;
    if (!OpenClipboard(OtherProgram())) return bytes;
    if (HANDLE data = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

inline std::string ClipboardText() {
    const std::string bytes = ClipboardBytes(CF_TEXT);
    return bytes.substr(0, bytes.find('\0'));
}

// Another thread holds the clipboard open for ms from the return, as a program pasting on a busy machine.
inline std::thread HoldClipboardFor(DWORD ms) {
    std::promise<void> opened;
    std::future<void> open = opened.get_future();
    std::thread holder([ms, opened = std::move(opened)]() mutable {
        const BOOL held = OpenClipboard(nullptr);
        opened.set_value();
        Sleep(ms);
        if (held) CloseClipboard();
    });
    open.wait();
    return holder;
}
