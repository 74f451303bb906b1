#pragma once
// The window a phrase goes to, and the keys that paste it there.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/CaptureThrottle.h"
#include "data/PasteRules.h"

// A click on the tray icon makes the taskbar (or the overflow area of its
// icons, or, under Wine without a system tray, Wine's own tray window) the
// foreground window, and the program's own windows are never where the user
// typed: none of them is taken as the target.
bool CanBeTarget(std::string_view className, DWORD processId);
std::string ClassName(HWND window);
// The focus of a window's thread, which need not be this one's.
HWND FocusOf(HWND window);

// The keys of a paste method as real key events with scan codes, which
// remote-desktop clients, virtual machines and games need: the modifiers
// down, the key, the modifiers up. Ctrl is the right one where rightControl;
// it and the keys of the navigation block are extended keys.
std::vector<INPUT> PasteKeyEvents(const PasteMethod& method, bool rightControl);
// Pastes into the foreground window by its method: the keys, or the paste
// command posted to it. False when the system took not all of it.
bool Paste(HWND foreground, const PasteMethod& method, bool rightControl);

// True when the window's process runs with more rights than this one (as
// administrator while we do not): Windows then drops our synthesised keys.
bool IsElevatedAboveUs(HWND window);

// The window the user last worked in and the control that had its focus. It
// follows the foreground window as it changes, so that a menu opened from
// the tray (which the shell's windows take the foreground for) still finds
// the window the user typed in, not one from long ago.
class DeliveryTarget {
  public:
    DeliveryTarget() = default;
    ~DeliveryTarget() { StopFollowing(); }
    DeliveryTarget(const DeliveryTarget&) = delete;
    DeliveryTarget& operator=(const DeliveryTarget&) = delete;

    // Windows announces each new foreground window; Wine does not, so the
    // owner also calls Follow a few times a second.
    void StartFollowing();
    void StopFollowing();
    // Takes the foreground window as the last one worked in if it may be a target.
    void Follow();
    // The system has announced a new foreground window: asking a few times a
    // second is not needed any more.
    bool Announced() const { return announced_; }
    // Before a menu or dialog: the foreground window with its focus if it may
    // be a target, else the last one worked in. At most once per interval.
    void Capture(DWORD now);
    // The recorded focus steers only the delivery it was recorded for.
    void ForgetFocus() { captured_.focus = nullptr; }
    // Puts the recorded focus back, once.
    void RestoreFocus();
    void Clear() { captured_ = lastWorkedIn_ = {}; }

    HWND window() const { return captured_.window; }
    HWND focus() const { return captured_.focus; }

  private:
    struct Recorded {
        HWND window = nullptr;
        HWND focus = nullptr;
    };
    static bool MayBeTarget(HWND window);

    Recorded captured_;
    Recorded lastWorkedIn_;
    CaptureThrottle throttle_;
    HWINEVENTHOOK hook_ = nullptr;
    bool announced_ = false;

    friend void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD);
};
