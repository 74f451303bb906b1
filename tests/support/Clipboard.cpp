#include "Clipboard.h"

#include <cstring>
#include <future>
#include <thread>

namespace {

HWND OtherProgram() {
    static const HWND window = CreateWindowA("STATIC", "other", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                             GetModuleHandleA(nullptr), nullptr);
    return window;
}

}  // namespace

namespace {

void Put(UINT format, const void* bytes, std::size_t size) {
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size)) {
        std::memcpy(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
        SetClipboardData(format, memory);
    }
}

}  // namespace

void SetClipboardText(const std::string& text, const char* markFormat, DWORD mark) {
    if (!OpenClipboard(OtherProgram())) return;
    EmptyClipboard();
    Put(CF_TEXT, text.c_str(), text.size() + 1);
    if (markFormat) Put(RegisterClipboardFormatA(markFormat), &mark, sizeof mark);
    CloseClipboard();
}

void SetClipboardUnicode(const std::wstring& text) {
    if (!OpenClipboard(OtherProgram())) return;
    EmptyClipboard();
    Put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    CloseClipboard();
}

std::string ClipboardBytes(UINT format) {
    std::string bytes;
    if (!OpenClipboard(OtherProgram())) return bytes;
    if (HANDLE data = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(OtherProgram())) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void WhileClipboardIsHeld(const std::function<void()>& action) {
    std::promise<void> opened, release;
    std::thread holder([&] {
        const BOOL open = OpenClipboard(nullptr);
        opened.set_value();
        release.get_future().wait();
        if (open) CloseClipboard();
    });
    opened.get_future().wait();
    action();
    release.set_value();
    holder.join();
}
