#pragma once
// The clipboard as the application reads and writes it: a little patience
// with other programs that hold it open, no half characters, respect for
// text that password managers mark as private, and the main window's place
// in the clipboard-viewer chain.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

// The clipboard, open for one window until the object goes. Another program
// may hold the clipboard for a while (a paste on a busy machine, a clipboard
// tool reading), so opening is tried for about half a second.
class ClipboardSession {
  public:
    static constexpr int attempts = 20;
    static constexpr DWORD pauseMs = 25;

    explicit ClipboardSession(HWND owner);
    ~ClipboardSession();
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool IsOpen() const { return open_; }

  private:
    bool open_ = false;
};

// The formats with which programs ask clipboard watchers to keep away.
inline constexpr const char* ExcludeFromMonitorFormat = "ExcludeClipboardContentFromMonitorProcessing";
inline constexpr const char* ViewerIgnoreFormat = "Clipboard Viewer Ignore";
inline constexpr const char* HistoryPermissionFormat = "CanIncludeInClipboardHistory";

// True when the open clipboard's contents are marked as not for watchers.
bool ClipboardIsPrivate();

// Text another program copied: its Shift-JIS form, and its exact text where
// that form lost characters (empty when the Shift-JIS form is exact).
struct CopiedText {
    std::string shiftJis;
    std::wstring exact;
};

// The open clipboard's text: CF_UNICODETEXT where there is, CF_TEXT
// otherwise; cut in whole characters so that its Shift-JIS form holds at most
// limit bytes. nullopt when there is no text.
std::optional<CopiedText> OpenClipboardCopy(std::size_t limit);

// Replaces the contents of the open clipboard by the text and nothing that
// would hide it: a delivered phrase stays visible to the system's and other
// programs' clipboard histories (our own history skips it through its ignore
// flag). CF_TEXT goes with the Japanese locale, so that the system's Unicode
// form of it is right whatever the input language; unicode, where given, is
// put exactly as CF_UNICODETEXT. False when nothing was written.
bool PutClipboardText(const std::string& text, const std::wstring* unicode);

// The main window as a clipboard viewer: changes are passed on to the viewer
// after it, and the notice of its own delivery is told from other programs'.
class ClipboardWatch {
  public:
    void Join(HWND window) { next_ = SetClipboardViewer(window); }
    void Leave(HWND window);
    // Replaces the clipboard with a delivered text; its change notice is ours.
    bool Deliver(HWND window, const std::string& text, const std::wstring* unicode);
    // WM_DRAWCLIPBOARD: false for the notice of our own delivery.
    bool TakeChange();
    // A hung viewer after us in the chain must not freeze every hotkey.
    void PassOn(UINT message, WPARAM wParam, LPARAM lParam) const;
    void OnChainChange(HWND leaving, HWND after);

  private:
    static constexpr UINT ViewerTimeoutMs = 1000;
    HWND next_ = nullptr;
    bool ownChange_ = false;
};
