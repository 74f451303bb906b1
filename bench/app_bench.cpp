// The running kwibra.exe as a user meets it, each figure against a floor run
// in turns with it in the same run, timed from inside Wine with the
// performance counter:
//   bench_app [REPETITIONS (20)]
// run in a folder that holds default/, large/ and launchers/, each with
// kwibra.exe and kwibra.txt, floor/ with trayfloor.exe and menufloor/ with
// menufloor.exe.
// (a) start until the tray icon exists: trayfloor.exe (the least a resident
//     program does), kwibra with its default list and with 10,000 lines; the
//     three take turns and the first round only warms the caches up;
// (b) Ctrl+Alt+A until the phrase menu is visible, against menufloor.exe (the
//     least a resident program does for a phrase), with the default list and
//     with 302 entries; the first showing after each fresh start apart;
// (c) the choice in that menu until notepad shows the phrase;
// (d) the working set after start-up, against trayfloor.exe.
// Each prints its samples' median, minimum and maximum, and the ratio of the
// medians kwibra / floor beside its goal. Only a figure that could not be
// measured fails the run.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/PhraseLists.h"
#include "bench/Program.h"
#include "bench/Ratio.h"
#include "bench/Timing.h"

namespace {

// The phrase that Down, Down and Return choose: the second entry of both lists.
const std::string phrase = "（＾＿＾）";

struct Folders {
    std::string trayFloor;
    std::string menuFloor;
    std::string defaultList;
    std::string largeList;
    std::string launcherList;
};

// Prints the samples' median, minimum and maximum and returns the median.
double Report(const std::string& what, std::vector<double> samples, const char* unit = "ms") {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    std::printf("  %-30s median %7.1f %s, min %7.1f, max %7.1f, n %zu\n", what.c_str(), median, unit,
                samples.front(), samples.back(), n);
    std::fflush(stdout);
    return median;
}

void ReportRatio(const std::string& what, double kwibra, double floor, double goal) {
    std::printf("  %-30s %s\n", what.c_str(), RatioToGoal(kwibra / floor, goal).c_str());
    std::fflush(stdout);
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

void PressPhraseMenuHotkey() {
    SendKey(VK_CONTROL, false);
    SendKey(VK_MENU, false);
    Tap('A');
    SendKey(VK_MENU, true);
    SendKey(VK_CONTROL, true);
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

// ---- (a) start-up and (d) the working set

// A tray program from its start until its icon exists.
class TrayStart {
  public:
    TrayStart(const std::string& folder, const std::string& exe)
        : before_(TrayIcons()), start_(NowMs()), program_(folder, exe) {
        Require(WaitFor(20000, [&] { return HasNewIcon(before_); }), "no tray icon appeared");
        iconMs_ = NowMs() - start_;
    }
    double IconMs() const { return iconMs_; }
    const Program& program() const { return program_; }
    // The next start counts its icon only once this one's is gone.
    void End() {
        program_.End();
        WaitFor(5000, [&] { return TrayIcons().size() <= before_.size(); });
    }

  private:
    std::vector<HWND> before_;
    double start_;
    Program program_;
    double iconMs_ = 0;
};

double StartUntilTrayIcon(const std::string& folder, const std::string& exe) {
    TrayStart start(folder, exe);
    start.End();
    return start.IconMs();
}

// After a second of quiet the start-up's work is done and the program only waits.
double ResidentMegabytes(const std::string& folder, const std::string& exe) {
    TrayStart start(folder, exe);
    Sleep(1000);
    const double megabytes = static_cast<double>(start.program().WorkingSetBytes()) / (1024.0 * 1024.0);
    start.End();
    return megabytes;
}

struct TraySubject {
    const char* name;
    std::string folder;
    std::string exe;
    std::vector<double> samples;
};

// The subjects take turns, so that other work on the machine slows them alike.
template <typename Measure>
void InTurns(int rounds, std::vector<TraySubject>& subjects, Measure measure) {
    for (int round = 0; round < rounds; ++round)
        for (TraySubject& subject : subjects) subject.samples.push_back(measure(subject.folder, subject.exe));
}

void StartUpFigures(int reps, const Folders& folders) {
    std::vector<TraySubject> subjects = {
        {"floor (trayfloor.exe)", folders.trayFloor, folders.trayFloor + "\\trayfloor.exe", {}},
        {"default list", folders.defaultList, folders.defaultList + "\\kwibra.exe", {}},
        {"10,000 lines", folders.largeList, folders.largeList + "\\kwibra.exe", {}},
    };
    InTurns(1, subjects, StartUntilTrayIcon);  // warms the caches up
    for (TraySubject& subject : subjects) subject.samples.clear();
    InTurns(reps, subjects, StartUntilTrayIcon);
    std::printf("(a) start until the tray icon exists, %d runs each:\n", reps);
    std::vector<double> medians;
    for (const TraySubject& subject : subjects) medians.push_back(Report(subject.name, subject.samples));
    ReportRatio("default list / floor", medians[1], medians[0], 1.3);
    ReportRatio("10,000 lines / floor", medians[2], medians[0], 1.5);
}

void MemoryFigures(int runs, const Folders& folders) {
    std::vector<TraySubject> subjects = {
        {"floor (trayfloor.exe)", folders.trayFloor, folders.trayFloor + "\\trayfloor.exe", {}},
        {"kwibra.exe, default list", folders.defaultList, folders.defaultList + "\\kwibra.exe", {}},
    };
    InTurns(runs, subjects, ResidentMegabytes);
    std::printf("(d) working set after start-up (tray icon, then 1 s of quiet), %d starts each:\n", runs);
    const double floor = Report(subjects[0].name, subjects[0].samples, "MB");
    const double kwibra = Report(subjects[1].name, subjects[1].samples, "MB");
    ReportRatio("kwibra / floor", kwibra, floor, 1.2);
}

// ---- (b) hotkey to menu and (c) choice to text

class Notepad {
  public:
    explicit Notepad(const std::string& folder) : program_(folder, "notepad.exe") {
        Require(
            WaitFor(20000, [&] { return (window_ = VisibleWindow(program_.id(), "Notepad")) != nullptr; }),
            "notepad did not open");
        edit_ = FindWindowExA(window_, nullptr, "Edit", nullptr);
        Require(edit_ != nullptr, "notepad has no edit control");
    }
    HWND window() const { return window_; }
    HWND edit() const { return edit_; }

  private:
    Program program_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

// kwibra.exe, or menufloor.exe with the file of its menu lines.
struct MenuSubject {
    MenuSubject(const char* name, const std::string& folder, const std::string& exeName,
                const std::string& linesFile = "")
        : name(name), folder(folder), exe(folder + "\\" + exeName), arguments(linesFile) {}
    bool IsFloor() const { return !arguments.empty(); }

    std::string name;
    std::string folder;
    std::string exe;
    std::string arguments;
    std::vector<double> firstShowing;
    std::vector<double> toMenu;
    std::vector<double> toText;
};

// kwibra registers its hotkeys before it adds its tray icon; the floor
// registers its hotkey before it first waits for input, and ends if it cannot.
std::unique_ptr<Program> StartReady(const MenuSubject& subject) {
    const std::vector<HWND> before = TrayIcons();
    auto program = std::make_unique<Program>(subject.folder, subject.exe, subject.arguments);
    if (subject.IsFloor())
        Require(program->WaitUntilIdle(20000) && program->Running(),
                "menufloor.exe did not start: its lines unreadable or Ctrl+Alt+A taken");
    else
        Require(WaitFor(20000, [&] { return HasNewIcon(before); }), "kwibra.exe made no tray icon");
    return program;
}

struct RoundTimes {
    double toMenu;
    double toText;
};

RoundTimes PhraseRound(const Program& program, const Notepad& notepad) {
    SendMessageA(notepad.edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    Require(WaitFor(5000, [&] { return GetForegroundWindow() == notepad.window(); }),
            "notepad is not in the foreground");
    const double pressed = NowMs();
    PressPhraseMenuHotkey();
    Require(WaitFor(10000, [&] { return VisibleWindow(program.id(), "#32768") != nullptr; }),
            "no phrase menu appeared");
    const double shown = NowMs();
    Tap(VK_DOWN);
    Tap(VK_DOWN);
    Sleep(100);  // the highlight moves before the choice is timed
    const double chosen = NowMs();
    Tap(VK_RETURN);
    Require(WaitFor(10000, [&] { return WindowText(notepad.edit()) == phrase; }),
            "the phrase did not arrive in notepad");
    const double arrived = NowMs();
    Sleep(150);  // past kwibra's capture throttle of the next round
    return {shown - pressed, arrived - chosen};
}

// One fresh start: its first showing apart, then rounds more.
void Turn(MenuSubject& subject, const Notepad& notepad, int rounds) {
    std::unique_ptr<Program> program = StartReady(subject);
    Require(ClickInto(notepad.window()), "notepad did not become the foreground window");
    Sleep(500);  // what is left of the start-up is not the first showing's work
    for (int round = 0; round <= rounds; ++round) {
        const RoundTimes times = PhraseRound(*program, notepad);
        if (round == 0) {
            subject.firstShowing.push_back(times.toMenu);
        } else {
            subject.toMenu.push_back(times.toMenu);
            subject.toText.push_back(times.toText);
        }
    }
    program->End();
}

void ReportMenuFigures(const MenuSubject& floor, const MenuSubject& kwibra) {
    std::printf(" (b) hotkey until the phrase menu is visible\n");
    double f = Report(floor.name, floor.toMenu);
    double k = Report(kwibra.name, kwibra.toMenu);
    ReportRatio("kwibra / floor", k, f, 1.3);
    std::printf(" (b) the first showing after a fresh start\n");
    f = Report(floor.name, floor.firstShowing);
    k = Report(kwibra.name, kwibra.firstShowing);
    ReportRatio("kwibra / floor", k, f, 3);
    std::printf(" (c) choice until notepad shows the phrase\n");
    f = Report(floor.name, floor.toText);
    k = Report(kwibra.name, kwibra.toText);
    ReportRatio("kwibra / floor", k, f, 1.2);
}

// Both programs hold Ctrl+Alt+A, so they never run at once: they take turns,
// each turn a fresh start.
void MenuFigures(int reps, const Folders& folders, const Notepad& notepad, const std::string& listFolder,
                 const std::string& listName) {
    const std::vector<std::string> texts = PhraseMenuTexts(listFolder);
    const std::string linesFile = listName + ".txt";
    WriteLines(folders.menuFloor + "\\" + linesFile, texts);
    MenuSubject floor("floor (menufloor.exe)", folders.menuFloor, "menufloor.exe", linesFile);
    MenuSubject kwibra("kwibra.exe", listFolder, "kwibra.exe");
    const int turns = std::min(reps, 5);
    const int rounds = (reps + turns - 1) / turns;
    for (int turn = 0; turn < turns; ++turn) {
        Turn(floor, notepad, rounds);
        Turn(kwibra, notepad, rounds);
    }
    std::printf(
        "(b), (c) %s list, %zu menu lines: %d fresh starts each, %d rounds after each first showing\n",
        listName.c_str(), texts.size(), turns, rounds);
    ReportMenuFigures(floor, kwibra);
}

// ---- set-up

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

std::string CurrentFolder() {
    std::string folder(MAX_PATH, '\0');
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(folder.size()), folder.data());
    Require(length > 0 && length < folder.size(), "no current folder");
    folder.resize(length);
    return folder;
}

void Run(int reps) {
    const std::string work = CurrentFolder();
    const Folders folders{work + "\\floor", work + "\\menufloor", work + "\\default", work + "\\large",
                          work + "\\launchers"};
    FirstRun(folders.defaultList);
    WriteList(folders.largeList, LargeList());
    WriteList(folders.launcherList, LauncherList());

    StartUpFigures(reps, folders);
    MemoryFigures(std::min(reps, 5), folders);
    const Notepad notepad(work);
    MenuFigures(reps, folders, notepad, folders.defaultList, "default");
    MenuFigures(reps, folders, notepad, folders.launcherList, "launchers");
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
