// Loading, saving and the clipboard history on real menus under Wine, against
// the floor of inserting as many plain owner-drawn entries into popup menus
// without parsing anything. Prints the figures and their ratios to the floor,
// the rebuild of 10,000 lines beside its goal.
//   bench_menus [LINES...]   (default: 1000 10000 29881)
// Icons are looked up when an entry is first measured, not while a line is
// added; both costs are shown.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/PhraseApp.h"
#include "bench/Ratio.h"
#include "data/FileStore.h"
#include "menus/SystemMenuFont.h"
#include "menus/OwnerDraw.h"
#include "app/ShiftJisText.h"
#include "data/SettingsFile.h"
#include "menus/DeferredIcons.h"
#include "menus/MenuEntries.h"
#include "menus/MenuIds.h"
#include "menus/ShellPlatform.h"
#include "resource.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A new empty folder as the current one while it lives, so that the
// program's files are written there; removed with its contents at the end.
class TempDirectory {
  public:
    TempDirectory() : previous_(fs::current_path()) {
        static unsigned counter = 0;
        const std::string name = "kwibra-bench-" + std::to_string(GetCurrentProcessId()) + "-";
        do path_ = fs::temp_directory_path() / (name + std::to_string(++counter));
        while (!fs::create_directory(path_));
        fs::current_path(path_);
    }
    ~TempDirectory() {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
        fs::remove_all(path_, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

  private:
    fs::path previous_;
    fs::path path_;
};

// The application object as the program has it after its start-up and the
// menu resource; the records of its menus are freed with it.
class BenchApp {
  public:
    BenchApp() : app_(std::make_unique<PhraseApp>()) {
        iconSize = 16;
        app_->SetStartup(GetModuleHandleA(nullptr), SW_HIDE, "");
        WNDCLASSA windowClass{};
        app_->InitApplication(&windowClass);  // the shell as platform, the program's icons
        app_->LoadPopupMenu(MAKEINTRESOURCEA(IDR_MAIN_MENU), IDM_SETTINGS);
    }
    ~BenchApp() {
        app_->menus.Clear();
        app_->history.Clear();
    }
    BenchApp(const BenchApp&) = delete;
    BenchApp& operator=(const BenchApp&) = delete;
    PhraseApp* operator->() { return app_.get(); }
    PhraseApp& operator*() { return *app_; }

  private:
    std::unique_ptr<PhraseApp> app_;
};

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The fastest of runs timings of body; setup runs untimed before each.
double Best(int runs, const std::function<void()>& setup, const std::function<void()>& body) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        setup();
        const Clock::time_point start = Clock::now();
        body();
        best = std::min(best, Milliseconds(Clock::now() - start));
    }
    return best;
}

// A list of the given length: one section line in a hundred, the rest text,
// labelled text, commands (programs, drives, web addresses), separators and
// column breaks; every seventh line has a hotkey.
DecodedSettings MakeList(int count) {
    const char* samples[] = {
        "はじめまして、クウィブラ開発チームです。",
        " + 表示と入力される文字を別にする : ここが、入力される内容",
        "改行は\\n、日付は%%d、時刻は%%tをいれます",
        " * メモ帳 (&N) : C:\\Windows\\notepad.exe",
        "（＾＿＾）",
        " * https://kwibra.example.jp/download/",
        "ソフトウェアの表示",
        " * C:\\",
        "---",
        "短い",
        " + ソ : 表",
        "-->",
    };
    constexpr int sampleCount = sizeof samples / sizeof samples[0];
    DecodedSettings lines;
    for (int i = 0; i < count; ++i) {
        std::string text =
            i % 100 == 50 ? " -節" + std::to_string(i / 100) + "(&S)" : samples[i % sampleCount];
        if (i % 3 == 0 && text != "---" && text != "-->") text += std::to_string(i);
        const HotkeyRecord hotkey =
            i % 7 == 0 ? HotkeyRecord{static_cast<std::uint8_t>('0' + i % 10), MOD_CONTROL | MOD_ALT}
                       : HotkeyRecord{};
        lines.Add(std::move(text), hotkey);
    }
    return lines;
}

void WriteSettings(const DecodedSettings& lines) {
    const EncodedSettings files = EncodeSettings({}, {HotkeyRecord{}, {}, {'A', 3}}, lines.lines);
    WriteWholeFile(PhraseApp::settingsPath, files.settingsBytes);
    WriteWholeFile(PhraseApp::hotkeyPath, files.hkeyBytes);
}

// The floor: the same menus (a main menu with one popup per section and the
// phrase menu), every list line an owner-drawn entry with item data, nothing parsed.
class FloorMenus {
  public:
    explicit FloorMenus(const std::vector<SettingsLine>& lines) : lines_(lines) {}
    ~FloorMenus() { Destroy(); }
    void Build() {
        main_ = CreatePopupMenu();
        HMENU current = CreatePopupMenu();
        InsertItemEntry(main_, 0, 0, &dummy_, current, false);
        UINT id = FIRST_ITEM_COMMAND_ID;
        for (const SettingsLine& line : lines_) {
            if (line.text.size() > 2 && line.text[0] == ' ' && line.text[1] == '-') {
                current = CreatePopupMenu();
                InsertItemEntry(main_, EntryCount(main_), 0, &dummy_, current, false);
            } else {
                InsertItemEntry(current, EntryCount(current), id++, &dummy_, nullptr, false);
            }
        }
    }
    void Destroy() {
        if (main_) DestroyMenu(main_);
        main_ = nullptr;
    }

  private:
    const std::vector<SettingsLine>& lines_;
    HMENU main_ = nullptr;
    PhraseItem dummy_;
};

// Measures every entry of the phrase and section menus once.
void MeasureAll(PhraseApp& app) {
    const int last = EntryCount(app.MainMenu()) - MAIN_MENU_FIXED_TAIL;
    for (int position = PHRASE_MENU_POSITION; position < last; ++position) {
        const HMENU menu = GetSubMenu(app.MainMenu(), position);
        for (int i = 0; i < EntryCount(menu); ++i) {
            MEASUREITEMSTRUCT measure{};
            measure.CtlType = ODT_MENU;
            MenuEntry entry;
            ReadEntry(menu, i, entry);
            measure.itemData = reinterpret_cast<ULONG_PTR>(entry.record);
            app.menus.Measure(measure);
        }
    }
}

// A goal of 0: a figure without one of its own, such as a part of another.
void Report(const char* what, double ms, double floor, double goal = 0) {
    const std::string ratio = goal > 0 ? RatioToGoal(ms / floor, goal) : RatioText(ms / floor);
    std::printf("  %-44s %10.2f ms  %s\n", what, ms, ratio.c_str());
}

void RunSize(int count) {
    TempDirectory directory;
    const DecodedSettings list = MakeList(count);
    WriteSettings(list);
    const std::vector<SettingsLine>& lines = list.lines;
    const int runs = count <= 1000 ? 15 : count <= 10000 ? 9 : 5;

    // The floor and the load take turns, so that other work on the machine
    // slows both alike; the fastest run of each counts.
    FloorMenus floorMenus(lines);
    std::unique_ptr<BenchApp> app;
    double floor = 1e300;
    double load = 1e300;
    for (int i = 0; i < runs; ++i) {
        floorMenus.Destroy();
        floor = std::min(floor, Best(
                                    1, [] {}, [&] { floorMenus.Build(); }));
        floorMenus.Destroy();
        app.reset();
        app = std::make_unique<BenchApp>();
        load = std::min(load, Best(
                                  1, [] {}, [&] { (*app)->LoadSettings(true); }));
    }
    const double reload = Best(
        runs, [] {}, [&] { (*app)->LoadSettings(false); });
    // A rebuild also takes the menus it replaces down; the least a rebuild
    // does is the floor's menus destroyed and inserted again.
    floorMenus.Build();
    const double floorRebuild = Best(
        runs, [] {},
        [&] {
            floorMenus.Destroy();
            floorMenus.Build();
        });
    floorMenus.Destroy();
    std::vector<CollectedLine> collected;
    const double collect = Best(
        runs, [] {}, [&] { collected = (*app)->menus.CollectLines((*app)->hotkeys); });
    const double save = Best(
        runs, [] {}, [&] { (*app)->SaveSettings(); });

    // Where the load goes: the file read and decoded alone, then every line parsed alone.
    AppSettings options;
    const double decode = Best(
        runs, [] {},
        [&] {
            const FileContents settings = ReadWholeFile(PhraseApp::settingsPath);
            const FileContents hotkeys = ReadWholeFile(PhraseApp::hotkeyPath);
            DecodeSettings(settings.bytes, hotkeys.bytes, options);
        });
    const double parse = Best(
        runs, [] {},
        [&] {
            for (const SettingsLine& line : lines) {
                PhraseItem item;
                DeferredIcons().Parse(item, line.text);
            }
        });
    const double lookups = Best(
        1, [] {},
        [&] {
            for (const SettingsLine& line : lines) {
                PhraseItem item;
                item.Parse(line.text, false);
            }
        });
    const FileContents settingsFile = ReadWholeFile(PhraseApp::settingsPath);
    const FileContents hotkeyFile = ReadWholeFile(PhraseApp::hotkeyPath);
    const double parseSettings = Best(
        runs,
        [&] {
            (*app)->hotkeys.Clear();
            (*app)->menus.Clear();
        },
        [&] { (*app)->ParseSettings(settingsFile.bytes, hotkeyFile.bytes); });
    const int phraseEntries = EntryCount((*app)->menus.phrases());
    const int sections = EntryCount((*app)->MainMenu()) - 6;
    // What the deferred look-ups cost later: every entry measured once, as
    // the system does when the menus are first shown.
    const double firstShow = Best(
        1, [] {}, [&] { MeasureAll(**app); });
    const double clear = Best(
        1, [] {}, [&] { (*app)->menus.Clear(); });

    std::printf("%d list lines (%zu lines read back, %d entries in the phrase menu, %d sections)\n", count,
                collected.size(), phraseEntries, sections);
    Report("floor: insert plain owner-drawn entries", floor, floor);
    Report("LoadSettings(true)", load, floor);
    Report("  of it: ParseSettings (menus built)", parseSettings, floor);
    Report("    of it: read and decode both files", decode, floor);
    Report("    of it: parse every line", parse, floor);
    // A change of the system's colours or settings rebuilds the whole list.
    Report("LoadSettings(false) (rebuild)", reload, floor, count == 10000 ? 2 : 0);
    Report("floor of a rebuild: destroyed, inserted again", floorRebuild, floor);
    std::printf("  %-44s %13s  %s\n", "rebuild / floor of a rebuild", "",
                RatioText(reload / floorRebuild).c_str());
    Report("CollectLines", collect, floor);
    Report("CollectLines + SaveSettings", save, floor);
    Report("ClearPhraseMenus", clear, floor);
    Report("parse with the shell's icon look-ups", lookups, floor);
    Report("first showing: measure every entry", firstShow, floor);
    app.reset();
}

// The same number of plain lines, all in the phrase menu: the platform's menus
// copy their whole entry array at every insertion, so here the floor itself
// grows with the square of the menu's length.
void RunOneMenu(int count) {
    TempDirectory directory;
    DecodedSettings list;
    for (int i = 0; i < count; ++i)
        list.Add("はじめまして、クウィブラ開発チームです。" + std::to_string(i), {});
    WriteSettings(list);
    FloorMenus floorMenus(list.lines);
    const double floor = Best(
        1, [] {}, [&] { floorMenus.Build(); });
    floorMenus.Destroy();
    std::unique_ptr<BenchApp> app = std::make_unique<BenchApp>();
    const double load = Best(
        1, [] {}, [&] { (*app)->LoadSettings(true); });
    const double save = Best(
        1, [] {}, [&] { (*app)->SaveSettings(); });
    std::printf("%d plain lines, all in the phrase menu\n", count);
    Report("floor: insert plain owner-drawn entries", floor, floor);
    Report("LoadSettings(true)", load, floor);
    Report("CollectLines + SaveSettings", save, floor);
}

void RunHistory(int adds) {
    TempDirectory directory;
    BenchApp app;
    app->LoadSettings(true);
    app->options.historyLimit = 120;
    for (int i = 0; i < 120; ++i) app->history.Add("履歴の文字 " + std::to_string(i));
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < adds; ++i) app->history.Add("新しくコピーした文字 " + std::to_string(i));
    const double fresh = Milliseconds(Clock::now() - start) / adds;
    const Clock::time_point again = Clock::now();
    for (int i = 0; i < adds; ++i)
        app->history.Add("新しくコピーした文字 " + std::to_string(adds - 120 + i % 120));
    const double repeated = Milliseconds(Clock::now() - again) / adds;
    std::printf("AddHistoryEntry at limit 120 (%d adds each)\n", adds);
    std::printf("  %-44s %10.4f ms\n", "new text (oldest dropped)", fresh);
    std::printf("  %-44s %10.4f ms\n", "text already in the history", repeated);
}

// 120 entries of the longest length a copy keeps (2,047 bytes in Shift-JIS):
// taking them in from UTF-16, showing them and saving them, with texts
// Shift-JIS holds and with texts it cannot (an exact copy kept beside them).
void RunLongHistory() {
    std::printf("120 history entries of 2,047 bytes: plain / with characters outside Shift-JIS\n");
    double figures[2][3] = {};
    for (const bool exact : {false, true}) {
        TempDirectory directory;
        BenchApp app;
        app->LoadSettings(true);
        app->options.historyLimit = 120;
        const std::wstring unit =
            exact ? L"\u3042\U0001F600" : L"\u3042\u3044";  // 2 + 2 bytes, or 2 + 2 as "??"
        double* figure = figures[exact];
        for (int i = 0; i < 120; ++i) {
            std::wstring copied = std::to_wstring(i) + L" ";
            while (copied.size() < 1100) copied += unit;
            const Clock::time_point start = Clock::now();
            const std::wstring_view kept = FittingShiftJis(copied, 2047);
            std::string shiftJis = ToShiftJis(kept);
            std::optional<std::u16string> exactText;
            if (FromShiftJis(shiftJis) != kept) exactText.emplace(kept.begin(), kept.end());
            app->history.Add({std::move(shiftJis), std::move(exactText)});
            figure[0] += Milliseconds(Clock::now() - start);
        }
        figure[1] = Best(
            3, [] {},
            [&] {
                const UniqueFont font = CreateSystemMenuFont();
                const HDC dc = CreateCompatibleDC(nullptr);
                for (int i = 0; i < EntryCount(app->menus.history()); ++i) {
                    MenuEntry entry;
                    ReadEntry(app->menus.history(), i, entry);
                    SIZE size{};
                    MeasureEntry(*entry.record, dc, font.get(), &size);
                    const RECT rect{0, 0, size.cx, size.cy};
                    DrawEntry(*entry.record, dc, font.get(), &rect, false);
                }
                DeleteDC(dc);
            });
        figure[2] = Best(
            3, [] {}, [&] { app->SaveHistory(); });
    }
    const char* names[] = {"capture of 120 (from UTF-16)", "menu: measure and draw every entry",
                           "save clip.dat and clipw.dat"};
    for (int i = 0; i < 3; ++i)
        std::printf("  %-44s %10.2f ms %10.2f ms  %.2fx\n", names[i], figures[0][i], figures[1][i],
                    figures[1][i] / figures[0][i]);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {1000, 10000, 29881};
    for (int count : sizes) RunSize(count);
    RunOneMenu(sizes.back() < 10000 ? sizes.back() : 10000);
    RunHistory(2000);
    RunLongHistory();
    return 0;
}
