#include "Clipboard.h"

#include <cstring>

namespace {

HWND OtherProgram() {
    static const HWND window = CreateWindowA("STATIC", "other", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                             GetModuleHandleA(nullptr), nullptr);
    return window;
}

}  // namespace

void SetClipboardText(const std::string& text) {
    if (!OpenClipboard(OtherProgram())) return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
    }
    CloseClipboard();
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

ClipboardHolder::ClipboardHolder() : release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, opened] {
        const BOOL open = OpenClipboard(nullptr);
        SetEvent(opened);
        WaitForSingleObject(release_, INFINITE);
        if (open) CloseClipboard();
    });
    WaitForSingleObject(opened, INFINITE);
    CloseHandle(opened);
}

void ClipboardHolder::Release() {
    if (!thread_.joinable()) return;
    SetEvent(release_);
    thread_.join();
    CloseHandle(release_);
}
