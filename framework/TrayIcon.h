#pragma once

#include <windows.h>
#include <shellapi.h>

// One icon in the notification area on behalf of a window; its mouse events
// come back to the window as TrayCallbackMessage. Uses the first, 88-byte
// layout of NOTIFYICONDATAA, and the second for balloons. Owns the icon it holds.
class TrayIcon {
  public:
    TrayIcon();
    // Removes the icon if it is still added and destroys the held icon.
    ~TrayIcon();

    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // A null icon is the window's small icon, a null tip the application
    // title; the tip is cut to 63 bytes without splitting a double-byte
    // character. FALSE when already added (nothing changes) or when the
    // platform refuses (the icon still counts as added).
    BOOL Add(HWND window, UINT iconId, HICON icon, const char* tip);
    // Destroys the held icon; holds and shows the new one when added.
    BOOL SetIcon(HICON icon);
    // Loads an icon resource of the application at the small icon size and passes it to SetIcon.
    BOOL SetIconResource(LPCSTR iconName);
    // FALSE when not added. The held icon stays held.
    BOOL Remove();
    // Adds the icon again as it was, after the shell lost it (Explorer
    // restarted) or did not take it (the taskbar was not up yet).
    BOOL Restore();
    // A warning balloon at the icon; texts are cut without splitting a
    // double-byte character. FALSE when not added or when the shell refuses.
    BOOL ShowBalloon(const char* title, const char* text);

    bool IsAdded() const { return data_.hWnd != nullptr; }
    HWND window() const { return data_.hWnd; }
    UINT iconId() const { return data_.uID; }
    HICON icon() const { return data_.hIcon; }
    UINT flags() const { return data_.uFlags; }
    const char* tip() const { return data_.szTip; }
    const NOTIFYICONDATAA& data() const { return data_; }

  private:
    void DestroyHeldIcon();

    NOTIFYICONDATAA data_;
};
