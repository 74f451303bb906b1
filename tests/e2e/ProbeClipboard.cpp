#include "ProbeClipboard.h"

#include <windows.h>

#include <cstring>

namespace {

// Another program may hold the clipboard open for an instant.
bool OpenClipboardPatiently()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(10);
    }
    return false;
}

HGLOBAL CopyToGlobal(const void* bytes, std::size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return nullptr;
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    return memory;
}

bool SetData(UINT format, const void* bytes, std::size_t size)
{
    HGLOBAL memory = CopyToGlobal(bytes, size);
    if (memory && SetClipboardData(format, memory))
        return true;
    if (memory)
        GlobalFree(memory);
    return false;
}

} // namespace

std::optional<std::string> ReadClipboardText()
{
    if (!OpenClipboardPatiently())
        return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        const char* bytes = static_cast<const char*>(GlobalLock(data));
        if (bytes) {
            text = std::string(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool WriteClipboardText(const std::string& text, const std::vector<ExtraFormat>& extras, bool withText)
{
    if (!OpenClipboardPatiently())
        return false;
    EmptyClipboard();
    bool ok = !withText || SetData(CF_TEXT, text.c_str(), text.size() + 1);
    for (const auto& extra : extras) {
        const UINT format = RegisterClipboardFormatA(extra.name.c_str());
        const DWORD value = extra.value.value_or(0);
        ok = ok && format != 0 && SetData(format, &value, sizeof value);
    }
    CloseClipboard();
    return ok;
}

bool ClipboardHasFormat(const std::string& name)
{
    const UINT format = RegisterClipboardFormatA(name.c_str());
    return format != 0 && IsClipboardFormatAvailable(format);
}
