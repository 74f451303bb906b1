#pragma once
// Looking at other programs' windows from outside, as a user would see them.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct WindowFacts {
    HWND window = nullptr;
    DWORD processId = 0;
    bool visible = false;
    RECT rect{};
    std::string title;
};

WindowFacts FactsOf(HWND window);
// Top-level windows of the class, in Z order; an empty class means every class.
std::vector<WindowFacts> TopLevelWindows(const std::string& className, bool visibleOnly);
// Child windows of the first top-level window of the class.
std::vector<WindowFacts> ChildWindows(const std::string& parentClass, const std::string& childClass);
std::string DescribeWindow(const WindowFacts& facts);

// A target is a window handle written as "0x..." or the class of a top-level window.
HWND FindTarget(const std::string& target);
// The first "Edit" descendant of the target (or the target itself when it is one).
HWND FindEdit(HWND window);
std::optional<std::string> WindowText(HWND window);

// Polls until the condition holds or the time is up; true when it held.
template <typename Condition>
bool PollUntil(DWORD timeoutMs, Condition condition)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(5);
    }
}
