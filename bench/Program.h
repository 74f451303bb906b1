#pragma once
// Programs started by a benchmark, and what another process can see of them
// under Wine: their top-level windows, the tray icons and the working set.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// Window look-ups send no message to the windows looked at, so that polling
// does not disturb what it measures. processId 0 is every process, an empty
// class name every class.
std::vector<HWND> TopLevelWindows(DWORD processId, const std::string& className);
HWND VisibleWindow(DWORD processId, const std::string& className);

std::vector<HWND> TrayIcons();
bool HasNewIcon(const std::vector<HWND>& before);

// WM_GETTEXT, not GetWindowText: only the message reaches into another process's controls.
std::string WindowText(HWND window);

// A program started in a folder of its own; it is terminated if it still
// runs when this object goes, so that a failed round leaves nothing behind.
class Program {
  public:
    Program(const std::string& folder, const std::string& exe, const std::string& arguments = "");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    DWORD id() const { return process_.dwProcessId; }
    bool Running() const;
    // True once the program waits for input with an empty queue.
    bool WaitUntilIdle(DWORD timeoutMs) const;
    std::size_t WorkingSetBytes() const;
    // Closes every window of the program, as the system does when a session ends.
    void End();

  private:
    PROCESS_INFORMATION process_{};
};
