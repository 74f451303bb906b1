// The running kwibra.exe as a user meets it, timed from inside Wine with the
// performance counter:
//   bench_app [REPETITIONS (20)]
// run in a folder that holds default/ and large/, each with kwibra.exe and
// kwibra.txt, and floor/ with trayfloor.exe.
// (a) start until the tray icon exists: the floor (trayfloor.exe, the least a
//     resident program does), kwibra with its default list, kwibra with a
//     list of 10,000 lines; the three take turns and the first round only
//     warms the caches up;
// (b) Ctrl+Alt+A until the phrase menu is visible;
// (c) the choice in the menu until notepad shows the phrase.
// Each prints its samples' median, minimum and maximum in milliseconds.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

double NowMs() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Polls without sleeping long, so that the measurement is not coarser than a millisecond.
template <typename Condition>
bool WaitFor(DWORD timeoutMs, Condition condition) {
    const double end = NowMs() + timeoutMs;
    while (!condition()) {
        if (NowMs() > end) return false;
        Sleep(1);
    }
    return true;
}

void Require(bool condition, const char* what) {
    if (!condition) throw std::runtime_error(what);
}

// Prints the samples' median, minimum and maximum and returns the median.
double Report(const std::string& what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    std::printf("  %-28s median %7.1f ms, min %7.1f, max %7.1f, n %zu\n", what.c_str(), median,
                samples.front(), samples.back(), n);
    std::fflush(stdout);
    return median;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Window look-ups send no message to the windows looked at, so that polling
// does not disturb what it measures.
struct WindowSearch {
    DWORD processId;
    std::string className;  // empty: every class
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

// WM_GETTEXT, not GetWindowText: only the message reaches into another process's controls.
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

// A program started in a folder of its own; it is terminated if it still
// runs when this object goes, so that a failed round leaves nothing behind.
class Program {
  public:
    Program(const std::string& folder, const std::string& exe) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exe + "\"";
        Require(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.c_str(), &startup, &process_) != FALSE,
                "a program did not start");
    }
    ~Program() {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    DWORD id() const { return process_.dwProcessId; }
    // Closes every window of the program, as the system does when a session ends.
    void End() {
        for (HWND window : TopLevelWindows(id(), "")) PostMessageA(window, WM_CLOSE, 0, 0);
        Require(WaitForSingleObject(process_.hProcess, 20000) == WAIT_OBJECT_0, "a program did not end");
    }

  private:
    PROCESS_INFORMATION process_{};
};

// Milliseconds from the start until the program's tray icon exists.
double StartUntilTrayIcon(const std::string& folder, const std::string& exe) {
    const std::vector<HWND> before = TrayIcons();
    const double start = NowMs();
    Program program(folder, exe);
    Require(WaitFor(20000, [&] { return HasNewIcon(before); }), "no tray icon appeared");
    const double end = NowMs();
    program.End();
    WaitFor(5000, [&] { return TrayIcons().size() <= before.size(); });
    return end - start;
}

// The first run writes the default list; its welcome box is answered with OK.
void FirstRun(const std::string& folder) {
    const std::vector<HWND> before = TrayIcons();
    Program kwibra(folder, folder + "\\kwibra.exe");
    HWND box = nullptr;
    Require(WaitFor(20000, [&] { return (box = VisibleWindow(kwibra.id(), "#32770")) != nullptr; }),
            "no welcome box");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    Require(WaitFor(20000, [&] { return HasNewIcon(before); }), "no tray icon after the welcome box");
    kwibra.End();
}

// 10,000 list lines: text, labelled and command items, separators, a section
// every 500 lines, and hotkeys on ten items.
void WriteLargeList(const std::string& folder) {
    std::string settings = "0\r\n0\r\n0\t20\t-1\t1\r\n";
    std::string hotkeys("\0\0\0\0\x41\x03", 6);
    for (int i = 0; i < 10000; ++i) {
        const std::string n = std::to_string(i);
        if (i % 500 == 499)
            settings += " -区分" + n + "(&S)";
        else if (i % 50 == 25)
            settings += "---";
        else if (i % 7 == 1)
            settings += " + 表示" + n + " : 入力される内容" + n;
        else if (i % 11 == 2)
            settings += " * メモ帳" + n + " : notepad";
        else
            settings += "定型文" + n + "のソ表";
        settings += "\r\n";
        hotkeys += i % 1000 == 3 ? std::string{static_cast<char>(VK_F1 + i / 1000), 7} : std::string(2, '\0');
    }
    std::ofstream(folder + "\\kwibra.ini", std::ios::binary) << settings;
    std::ofstream(folder + "\\hkey.dat", std::ios::binary) << hotkeys;
}

void SendKey(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void Tap(WORD key) {
    SendKey(key, false);
    SendKey(key, true);
}

// A click in the middle of the window: without a window manager the X
// keyboard focus follows the pointer, and the click makes it the foreground.
bool ClickInto(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        INPUT click[2] = {};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, click, sizeof click[0]);
        if (WaitFor(2000, [&] { return GetForegroundWindow() == window; })) return true;
    }
    return false;
}

void MenuRounds(int reps, const std::string& work, const std::string& folder) {
    Program notepad(work, "notepad.exe");
    HWND notepadWindow = nullptr;
    Require(
        WaitFor(20000, [&] { return (notepadWindow = VisibleWindow(notepad.id(), "Notepad")) != nullptr; }),
        "notepad did not open");
    const HWND edit = FindWindowExA(notepadWindow, nullptr, "Edit", nullptr);
    Require(edit != nullptr, "notepad has no edit control");
    const std::vector<HWND> before = TrayIcons();
    Program kwibra(folder, folder + "\\kwibra.exe");
    Require(WaitFor(20000, [&] { return HasNewIcon(before); }), "kwibra.exe made no tray icon");
    Require(ClickInto(notepadWindow), "notepad did not become the foreground window");

    const std::string phrase = "（＾＿＾）";  // the third entry of the default phrase menu
    std::vector<double> toMenu;
    std::vector<double> toText;
    for (int rep = 0; rep < reps; ++rep) {
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        Require(WaitFor(5000, [&] { return GetForegroundWindow() == notepadWindow; }),
                "notepad is not in the foreground");
        const double pressed = NowMs();
        SendKey(VK_CONTROL, false);
        SendKey(VK_MENU, false);
        Tap('A');
        SendKey(VK_MENU, true);
        SendKey(VK_CONTROL, true);
        Require(WaitFor(10000, [&] { return VisibleWindow(kwibra.id(), "#32768") != nullptr; }), "no menu");
        toMenu.push_back(NowMs() - pressed);
        Tap(VK_DOWN);
        Tap(VK_DOWN);
        Sleep(100);  // the highlight moves before the choice is timed
        const double chosen = NowMs();
        Tap(VK_RETURN);
        Require(WaitFor(10000, [&] { return WindowText(edit) == phrase; }), "the phrase did not arrive");
        toText.push_back(NowMs() - chosen);
        Sleep(150);  // past the capture throttle of the next round
    }
    std::printf("(b), (c) %d rounds with the default list:\n", reps);
    Report("hotkey to phrase menu", toMenu);
    Report("choice to text in notepad", toText);
    kwibra.End();
}

void Run(int reps) {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    Require(length > 0 && length < MAX_PATH, "no current folder");
    const std::string work(buffer, length);
    const std::string floor = work + "\\floor";
    const std::string defaultList = work + "\\default";
    const std::string largeList = work + "\\large";
    FirstRun(defaultList);
    WriteLargeList(largeList);

    struct Subject {
        const char* name;
        std::string folder;
        std::string exe;
        std::vector<double> samples;
    };
    std::vector<Subject> subjects = {
        {"floor (trayfloor.exe)", floor, floor + "\\trayfloor.exe", {}},
        {"default list", defaultList, defaultList + "\\kwibra.exe", {}},
        {"10,000 lines", largeList, largeList + "\\kwibra.exe", {}},
    };
    for (int rep = 0; rep <= reps; ++rep)
        for (Subject& subject : subjects) {
            const double ms = StartUntilTrayIcon(subject.folder, subject.exe);
            if (rep > 0) subject.samples.push_back(ms);
        }
    std::printf("(a) start until the tray icon exists, %d runs each:\n", reps);
    std::vector<double> medians;
    for (const Subject& subject : subjects) medians.push_back(Report(subject.name, subject.samples));
    std::printf("  ratios to the floor: default list %.2f, 10,000 lines %.2f\n", medians[1] / medians[0],
                medians[2] / medians[0]);
    std::fflush(stdout);

    MenuRounds(reps, work, defaultList);
}

}  // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const int reps = argc > 1 ? std::atoi(argv[1]) : 20;
    if (reps < 1) {
        std::fputs("usage: bench_app [REPETITIONS]\n", stderr);
        return 2;
    }
    try {
        Run(reps);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_app: %s\n", failure.what());
        return 1;
    }
    return 0;
}
