#include "ProbeWindows.h"

#include <cstdio>
#include <cstdlib>

#include "ProbeText.h"

namespace {

struct Search {
    std::string className;
    bool visibleOnly;
    std::vector<WindowFacts> found;
};

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    if (!search->className.empty() && ClassOf(window) != search->className)
        return TRUE;
    if (search->visibleOnly && !IsWindowVisible(window))
        return TRUE;
    search->found.push_back(FactsOf(window));
    return TRUE;
}

BOOL CALLBACK FindFirstEdit(HWND window, LPARAM lParam)
{
    if (ClassOf(window) == "Edit") {
        *reinterpret_cast<HWND*>(lParam) = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

WindowFacts FactsOf(HWND window)
{
    WindowFacts facts;
    facts.window = window;
    facts.visible = IsWindowVisible(window) != FALSE;
    GetWindowThreadProcessId(window, &facts.processId);
    GetWindowRect(window, &facts.rect);
    facts.title = WindowText(window).value_or("");
    return facts;
}

std::vector<WindowFacts> TopLevelWindows(const std::string& className, bool visibleOnly)
{
    Search search{className, visibleOnly, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<WindowFacts> ChildWindows(const std::string& parentClass, const std::string& childClass)
{
    Search search{childClass, false, {}};
    for (const auto& parent : TopLevelWindows(parentClass, false)) {
        EnumChildWindows(parent.window, CollectWindow, reinterpret_cast<LPARAM>(&search));
        break;
    }
    return search.found;
}

std::string DescribeWindow(const WindowFacts& facts)
{
    char line[200];
    std::snprintf(line, sizeof line, "hwnd=%#llx pid=%lu visible=%d rect=%ld,%ld,%ld,%ld title=",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(facts.window)),
                  static_cast<unsigned long>(facts.processId), facts.visible ? 1 : 0, facts.rect.left,
                  facts.rect.top, facts.rect.right, facts.rect.bottom);
    return line + ToHex(facts.title);
}

HWND FindTarget(const std::string& target)
{
    if (target.rfind("0x", 0) == 0) {
        HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(target.c_str(), nullptr, 16)));
        return IsWindow(window) ? window : nullptr;
    }
    const auto windows = TopLevelWindows(target, false);
    return windows.empty() ? nullptr : windows.front().window;
}

HWND FindEdit(HWND window)
{
    if (!window || ClassOf(window) == "Edit")
        return window;
    HWND edit = nullptr;
    EnumChildWindows(window, FindFirstEdit, reinterpret_cast<LPARAM>(&edit));
    return edit;
}

std::optional<std::string> WindowText(HWND window)
{
    // WM_GETTEXT, not GetWindowText: only the message reaches into another process's controls.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return std::nullopt;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 2000, &copied))
        return std::nullopt;
    text.resize(copied);
    return text;
}
