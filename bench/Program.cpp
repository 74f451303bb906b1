#include "bench/Program.h"

#include <psapi.h>

#include <algorithm>

#include "bench/Timing.h"

namespace {

std::string ClassOf(HWND window) {
    std::string name(256, '\0');
    name.resize(static_cast<std::size_t>(GetClassNameA(window, name.data(), static_cast<int>(name.size()))));
    return name;
}

struct WindowSearch {
    DWORD processId;
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((search->processId == 0 || owner == search->processId) &&
        (search->className.empty() || ClassOf(window) == search->className))
        search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const std::string& className) {
    WindowSearch search{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VisibleWindow(DWORD processId, const std::string& className) {
    for (HWND window : TopLevelWindows(processId, className))
        if (IsWindowVisible(window)) return window;
    return nullptr;
}

// Without an X tray, Wine keeps every icon as a child of its own tray window.
std::vector<HWND> TrayIcons() {
    WindowSearch search{0, "__winex11_tray_icon", {}};
    if (HWND tray = FindWindowA("__winex11_standalone_tray", nullptr))
        EnumChildWindows(tray, CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool HasNewIcon(const std::vector<HWND>& before) {
    for (HWND icon : TrayIcons())
        if (std::find(before.begin(), before.end(), icon) == before.end()) return true;
    return false;
}

std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 2000, &copied))
        return {};
    text.resize(copied);
    return text;
}

Program::Program(const std::string& folder, const std::string& exe, const std::string& arguments) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    Require(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                           &startup, &process_) != FALSE,
            "a program did not start");
}

Program::~Program() {
    if (Running()) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool Program::Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

bool Program::WaitUntilIdle(DWORD timeoutMs) const {
    return WaitForInputIdle(process_.hProcess, timeoutMs) == 0;
}

std::size_t Program::WorkingSetBytes() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    Require(GetProcessMemoryInfo(process_.hProcess, &counters, sizeof counters) != FALSE,
            "the working set of a program could not be read");
    return counters.WorkingSetSize;
}

void Program::End() {
    for (HWND window : TopLevelWindows(id(), "")) PostMessageA(window, WM_CLOSE, 0, 0);
    Require(WaitForSingleObject(process_.hProcess, 20000) == WAIT_OBJECT_0, "a program did not end");
}
