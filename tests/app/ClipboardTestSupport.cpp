#include "ClipboardTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

std::string DwordBytes(DWORD value)
{
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

void SetClipboard(const std::vector<ClipboardFormat>& formats)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    for (const auto& format : formats) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, format.bytes.size());
        std::memcpy(GlobalLock(memory), format.bytes.data(), format.bytes.size());
        GlobalUnlock(memory);
        const UINT id = format.name ? RegisterClipboardFormatA(format.name) : CF_TEXT;
        EXPECT_TRUE(SetClipboardData(id, memory));
    }
    CloseClipboard();
}

void SetClipboardText(const std::string& text)
{
    SetClipboard({{nullptr, text + '\0'}});
}

std::string ClipboardText()
{
    if (!OpenClipboard(nullptr))
        return "(not open)";
    std::string text = "(none)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

ClipboardHolder::ClipboardHolder(DWORD holdMs) : thread_([this, holdMs] { Hold(holdMs); })
{
    while (!held_)
        Sleep(1);
}

ClipboardHolder::~ClipboardHolder()
{
    release_ = true;
    thread_.join();
}

void ClipboardHolder::Hold(DWORD holdMs)
{
    // Opened for a window: Wine lets anyone else open a clipboard that is
    // open for no window.
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!OpenClipboard(window))
        ADD_FAILURE() << "the holder could not open the clipboard";
    held_ = true;
    const ULONGLONG end = holdMs == INFINITE ? ~0ULL : GetTickCount64() + holdMs;
    while (!release_ && GetTickCount64() < end)
        Sleep(1);
    CloseClipboard();
    DestroyWindow(window);
}
