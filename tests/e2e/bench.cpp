// Timings of the running program as a user meets them, measured from
// inside Wine with the performance counter:
//   bench startup DIR REPS EXE [ARGS...]  start until the new tray icon exists
//   bench menu REPS NOTEPAD-HWND PID      hotkey until the phrase menu shows,
//                                         and choice until notepad shows the text
// Each prints its samples' median, minimum and maximum in milliseconds.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ProbeWindows.h"

namespace {

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, std::vector<double> samples)
{
    if (samples.empty()) {
        std::printf("%s: no samples\n", what);
        return;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    std::printf("%s: median %.1f ms, min %.1f, max %.1f, n %zu\n", what, median, samples.front(), samples.back(), n);
    std::fflush(stdout);
}

// Polls without sleeping long, so that the measurement is not coarser than a millisecond.
template <typename Condition>
bool WaitFor(DWORD timeoutMs, Condition condition)
{
    const double end = NowMs() + timeoutMs;
    while (!condition()) {
        if (NowMs() > end)
            return false;
        Sleep(1);
    }
    return true;
}

// Light look-ups for the polling loops: no message is sent to the windows
// looked at, so the polling does not disturb what it measures.
BOOL CALLBACK CollectTrayIcon(HWND window, LPARAM lParam)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "__winex11_tray_icon")
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

std::vector<HWND> TrayIcons()
{
    std::vector<HWND> icons;
    if (HWND tray = FindWindowA("__winex11_standalone_tray", nullptr))
        EnumChildWindows(tray, CollectTrayIcon, reinterpret_cast<LPARAM>(&icons));
    return icons;
}

bool HasNewIcon(const std::vector<HWND>& before)
{
    for (HWND icon : TrayIcons()) {
        if (std::find(before.begin(), before.end(), icon) == before.end())
            return true;
    }
    return false;
}

void CloseProcessWindows(DWORD processId)
{
    for (const auto& window : TopLevelWindows("", false)) {
        if (window.processId == processId)
            PostMessageA(window.window, WM_CLOSE, 0, 0);
    }
}

int MeasureStartup(const std::vector<std::string>& args)
{
    const std::string directory = args[1];
    const int reps = std::atoi(args[2].c_str());
    std::string commandLine;
    for (std::size_t i = 3; i < args.size(); ++i)
        commandLine += (i > 3 ? " \"" : "\"") + args[i] + "\"";
    std::vector<double> samples;
    for (int rep = 0; rep < reps; ++rep) {
        const auto before = TrayIcons();
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::string line = commandLine;
        const double start = NowMs();
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                            &process)) {
            std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
            return 1;
        }
        const bool shown = WaitFor(20000, [&] { return HasNewIcon(before); });
        const double end = NowMs();
        CloseProcessWindows(process.dwProcessId);
        WaitForSingleObject(process.hProcess, 20000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        if (!shown) {
            std::fprintf(stderr, "no tray icon appeared\n");
            return 1;
        }
        samples.push_back(end - start);
        WaitFor(5000, [&] { return TrayIcons().size() <= before.size(); });
    }
    Report(("startup " + args[3]).c_str(), samples);
    return 0;
}

void SendKey(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void Tap(WORD key)
{
    SendKey(key, false);
    SendKey(key, true);
}

bool MenuShown(DWORD processId)
{
    for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu;
         menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(menu, &owner);
        if (owner == processId && IsWindowVisible(menu))
            return true;
    }
    return false;
}

int MeasureMenu(const std::vector<std::string>& args)
{
    const int reps = std::atoi(args[1].c_str());
    HWND notepad = FindTarget(args[2]);
    HWND edit = FindEdit(notepad);
    const DWORD processId = static_cast<DWORD>(std::strtoul(args[3].c_str(), nullptr, 0));
    const std::string phrase = "\x81\x69\x81\x4F\x81\x51\x81\x4F\x81\x6A"; // （＾＿＾）
    if (!edit)
        return 2;
    std::vector<double> toMenu;
    std::vector<double> toText;
    for (int rep = 0; rep < reps; ++rep) {
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        if (!WaitFor(5000, [&] { return GetForegroundWindow() == notepad; })) {
            std::fprintf(stderr, "notepad is not in the foreground\n");
            return 1;
        }
        const double pressed = NowMs();
        SendKey(VK_CONTROL, false);
        SendKey(VK_MENU, false);
        Tap('A');
        SendKey(VK_MENU, true);
        SendKey(VK_CONTROL, true);
        if (!WaitFor(10000, [&] { return MenuShown(processId); })) {
            std::fprintf(stderr, "no menu\n");
            return 1;
        }
        toMenu.push_back(NowMs() - pressed);
        Tap(VK_DOWN);
        Tap(VK_DOWN);
        Sleep(100); // the highlight moves before the choice is timed
        const double chosen = NowMs();
        Tap(VK_RETURN);
        if (!WaitFor(10000, [&] { return WindowText(edit).value_or("") == phrase; })) {
            std::fprintf(stderr, "the phrase did not arrive\n");
            return 1;
        }
        toText.push_back(NowMs() - chosen);
        Sleep(150); // past the capture throttle of the next round
    }
    Report("hotkey to phrase menu", toMenu);
    Report("choice to text in notepad", toText);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 4 && args[0] == "startup")
        return MeasureStartup(args);
    if (args.size() >= 4 && args[0] == "menu")
        return MeasureMenu(args);
    std::fputs("usage: bench startup DIR REPS EXE [ARGS...] | bench menu REPS NOTEPAD-HWND PID\n", stderr);
    return 2;
}
