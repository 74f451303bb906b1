#include "app/ClipboardAccess.h"

#include <cstring>
#include <utility>

#include "AnsiText.h"
#include "app/ShiftJisText.h"

namespace {

// Locks a global memory block for the lifetime of the object.
class GlobalLockGuard {
  public:
    explicit GlobalLockGuard(HGLOBAL memory)
        : memory_(memory), bytes_(memory ? GlobalLock(memory) : nullptr) {}
    ~GlobalLockGuard() {
        if (bytes_) GlobalUnlock(memory_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    void* bytes() const { return bytes_; }
    std::size_t size() const { return bytes_ ? GlobalSize(memory_) : 0; }

  private:
    HGLOBAL memory_;
    void* bytes_;
};

bool FormatPresent(const char* name) {
    const UINT format = RegisterClipboardFormatA(name);
    return format != 0 && IsClipboardFormatAvailable(format);
}

// "CanIncludeInClipboardHistory" holding a DWORD 0 forbids keeping the text.
bool HistoryForbidden() {
    const UINT format = RegisterClipboardFormatA(HistoryPermissionFormat);
    if (format == 0 || !IsClipboardFormatAvailable(format)) return false;
    GlobalLockGuard data(GetClipboardData(format));
    if (data.size() < sizeof(DWORD)) return false;
    DWORD permission = 0;
    std::memcpy(&permission, data.bytes(), sizeof permission);
    return permission == 0;
}

// Hands a copy of the bytes to the clipboard under format; on failure the
// memory is freed again.
bool SetClipboardBytes(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!memory) return false;
    {
        GlobalLockGuard target(memory);
        if (!target.bytes()) {
            GlobalFree(memory);
            return false;
        }
        std::memcpy(target.bytes(), bytes, size);
    }
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

}  // namespace

ClipboardSession::ClipboardSession(HWND owner) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (attempt > 0) Sleep(pauseMs);
        if (OpenClipboard(owner)) {
            open_ = true;
            return;
        }
    }
}

ClipboardSession::~ClipboardSession() {
    if (open_) CloseClipboard();
}

bool ClipboardIsPrivate() {
    return FormatPresent(ExcludeFromMonitorFormat) || FormatPresent(ViewerIgnoreFormat) || HistoryForbidden();
}

std::optional<CopiedText> OpenClipboardCopy(std::size_t limit) {
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        GlobalLockGuard data(GetClipboardData(CF_UNICODETEXT));
        if (data.bytes()) {
            // The block may be larger than the text, or (from a careless writer) hold no terminator.
            const auto* units = static_cast<const wchar_t*>(data.bytes());
            const std::wstring_view all(units, wcsnlen(units, data.size() / sizeof(wchar_t)));
            const std::wstring_view text = FittingShiftJis(all, limit);
            CopiedText copied{ToShiftJis(text), {}};
            if (FromShiftJis(copied.shiftJis) != text) copied.exact.assign(text);
            return copied;
        }
    }
    GlobalLockGuard data(GetClipboardData(CF_TEXT));
    if (!data.bytes()) return std::nullopt;
    const char* bytes = static_cast<const char*>(data.bytes());
    const std::size_t length = strnlen(bytes, data.size());
    return CopiedText{std::string(bytes, WholeCharacterPrefix(bytes, length, limit)), {}};
}

bool PutClipboardText(const std::string& text, const std::wstring* unicode) {
    const LCID japanese = 0x0411;
    return EmptyClipboard() && SetClipboardBytes(CF_TEXT, text.c_str(), text.size() + 1) &&
           SetClipboardBytes(CF_LOCALE, &japanese, sizeof japanese) &&
           (!unicode ||
            SetClipboardBytes(CF_UNICODETEXT, unicode->c_str(), (unicode->size() + 1) * sizeof(wchar_t)));
}

void ClipboardWatch::Leave(HWND window) {
    ChangeClipboardChain(window, next_);
    next_ = nullptr;
}

bool ClipboardWatch::Deliver(HWND window, const std::string& text, const std::wstring* unicode) {
    ClipboardSession clipboard(window);
    if (!clipboard.IsOpen()) return false;
    ownChange_ = true;
    if (!PutClipboardText(text, unicode)) {
        ownChange_ = false;  // no notice will come to clear it
        return false;
    }
    return true;
}

bool ClipboardWatch::TakeChange() { return !std::exchange(ownChange_, false); }

void ClipboardWatch::PassOn(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (next_)
        SendMessageTimeoutA(next_, message, wParam, lParam, SMTO_ABORTIFHUNG, ViewerTimeoutMs, nullptr);
}

void ClipboardWatch::OnChainChange(HWND leaving, HWND after) {
    if (leaving == next_)
        next_ = after;
    else
        PassOn(WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(leaving), reinterpret_cast<LPARAM>(after));
}
