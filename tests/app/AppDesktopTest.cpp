// What Windows 10 and 11 do to a resident program, as far as Wine can show it.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <map>
#include <thread>

#include "AppFixture.h"
#include "Clipboard.h"
#include "DialogSteps.h"
#include "Files.h"
#include "app/StartFolder.h"
#include "app/Target.h"
#include "menus/MenuIds.h"
#include "resource.h"

namespace {

namespace fs = std::filesystem;

// Wine's tray window, where no system tray is, holds a window for each icon.
int TrayIcons() {
    const HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    int count = 0;
    for (HWND icon = nullptr; (icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr));) ++count;
    return count;
}

// The icon added again answers clicks as the first one did: a double click opens the settings.
TEST(AppDesktop, TrayIconComesBackWhenExplorerStartsAgain) {
    TempFolder folder;
    AppWithWindow app;
    const int icons = TrayIcons();
    NOTIFYICONDATAA gone{};
    gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
    gone.hWnd = app.window();
    gone.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
    EXPECT_EQ(icons - 1, TrayIcons());
    SendMessageA(app.window(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(icons, TrayIcons());
    const HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    RunDialog(
        [&] {
            for (HWND icon = nullptr; (icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr));)
                PostMessageA(icon, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
            for (int wait = 0; wait < 50; ++wait, Sleep(20)) app.Pump();
        },
        {Expect([](HWND dialog) { EXPECT_TRUE(GetDlgItem(dialog, IDC_ITEM_LIST)); }), ClickOn(IDCANCEL)});
}

// The pixels of an icon at the small size.
std::string Picture(HICON icon) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, CreateCompatibleBitmap(GetDC(nullptr), 16, 16));
    DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    std::string pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels += std::to_string(GetPixel(dc, x, y)) + ",";
    DeleteObject(SelectObject(dc, previous));
    DeleteDC(dc);
    return pixels;
}

// The tray icon shows the busy picture while a menu of a hotkey is open, and its own again
// once the choice's work has had its turn.
TEST(AppDesktop, TheTrayIconIsBusyWhileTheMenuIsOpen) {
    TempFolder folder;
    AppWithWindow app;
    const auto picture = [](int id) {
        return Picture(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0)));
    };
    std::thread user([window = app.window()] {
        Sleep(300);  // the menu shows, and waits
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    app->ShowMenu(PHRASE_MENU_POSITION + 1);
    user.join();
    EXPECT_EQ(picture(IDI_KWIBRA_BUSY), Picture(app->tray.icon()));
    for (int wait = 0; wait < 10; ++wait, Sleep(10)) app.Pump();
    EXPECT_EQ(picture(IDI_KWIBRA), Picture(app->tray.icon()));
}

// Paste keys are real keys with scan codes, the modifiers around the key, the right Ctrl and the
// keys of the navigation block extended: Ctrl+V by default, and the keys of a paste rule.
TEST(AppDesktop, PasteKeysAreRealKeysAroundTheirModifiers) {
    const std::tuple<const char*, bool, const char*> rows[] = {
        {"ctrl+v", true, "163e 86 86u 163eu"},
        {"ctrl+v", false, "17 86 86u 17u"},
        {"ctrl+shift+insert", false, "17 16 45e 45eu 16u 17u"},
        {"alt+v", true, "18 86 86u 18u"}};
    for (const auto& [text, right, expected] : rows) {
        std::string keys;
        for (const INPUT& key : PasteKeyEvents(*ParsePasteMethod(text), right)) {
            EXPECT_NE(0, key.ki.wScan);
            keys += (keys.empty() ? "" : " ") + std::to_string(key.ki.wVk) +
                    (key.ki.dwFlags & KEYEVENTF_EXTENDEDKEY ? "e" : "") +
                    (key.ki.dwFlags & KEYEVENTF_KEYUP ? "u" : "");
        }
        EXPECT_EQ(expected, keys) << text;
    }
}

TEST(AppDesktop, TheTaskbarAndOurOwnWindowsAreNeverTheTarget) {
    const DWORD other = GetCurrentProcessId() + 4;
    const std::tuple<const char*, DWORD, bool> rows[] = {{"Notepad", other, true},
                                                         {"Shell_TrayWnd", other, false},
                                                         {"NotifyIconOverflowWindow", other, false},
                                                         {"Notepad", GetCurrentProcessId(), false}};
    for (const auto& [className, process, target] : rows)
        EXPECT_EQ(target, CanBeTarget(className, process)) << className;
}

// A window of another program: Wine's notepad, ended with the test.
class OtherProgram {
  public:
    OtherProgram() {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        char commandLine[] = "notepad.exe";
        if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_))
            return;
        WaitForInputIdle(process_.hProcess, 10000);
        for (int wait = 0; wait < 100 && !window; ++wait, Sleep(50))
            EnumWindows(&OtherProgram::TakeIfOurs, reinterpret_cast<LPARAM>(this));
    }
    ~OtherProgram() {
        if (!process_.hProcess) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    HWND window = nullptr;

  private:
    static BOOL CALLBACK TakeIfOurs(HWND candidate, LPARAM self) {
        auto* program = reinterpret_cast<OtherProgram*>(self);
        DWORD processId = 0;
        GetWindowThreadProcessId(candidate, &processId);
        if (processId != program->process_.dwProcessId || !IsWindowVisible(candidate)) return TRUE;
        program->window = candidate;
        return FALSE;
    }

    PROCESS_INFORMATION process_{};
};

// The burst of notices that one click on the tray icon makes keeps the window the first one
// found: the target is taken at most once per interval.
TEST(AppDesktop, ABurstOfTrayNoticesKeepsTheTargetOfTheFirst) {
    TempFolder folder;
    AppWithWindow app;
    const OtherProgram first, second;
    ASSERT_TRUE(first.window && second.window);
    const DWORD now = GetTickCount() + 1000;  // after any capture at start-up
    const std::tuple<HWND, DWORD, HWND> rows[] = {{first.window, now, first.window},
                                                  {second.window, now + 50, first.window},
                                                  {second.window, now + 200, second.window}};
    for (const auto& [foreground, tick, captured] : rows) {
        SetForegroundWindow(foreground);
        for (int wait = 0; wait < 100 && GetForegroundWindow() != foreground; ++wait) Sleep(20);
        app->target.Capture(tick);
        EXPECT_EQ(captured, app->target.window()) << tick - now;
    }
}

// Keys that got through to a program at our level tell nothing (without a tray icon a notice
// would be a box, which no paste may open). Wine runs no program above another, so the notice
// for one that runs as administrator is left to Windows.
TEST(AppDesktop, APasteThatGetsThroughTellsNothing) {
    TempFolder folder;
    AppWithWindow app;
    const OtherProgram notepad;
    ASSERT_TRUE(notepad.window);
    app->tray.Remove();
    SetForegroundWindow(notepad.window);
    for (int wait = 0; wait < 100 && GetForegroundWindow() != notepad.window; ++wait) Sleep(20);
    RunDialog([&] { app->SendPasteKeys(); }, {});
}

TEST(AppDesktop, AHungClipboardViewerAfterUsCannotFreezeUs) {
    std::promise<void> joined, release;
    std::thread viewer([&] {
        const HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        const HWND next = SetClipboardViewer(window);
        joined.set_value();
        release.get_future().wait_for(std::chrono::seconds(10));  // hung: no message is handled
        ChangeClipboardChain(window, next);
        DestroyWindow(window);
    });
    joined.get_future().wait();
    TempFolder folder;
    {
        AppWithWindow app;
        const DWORD start = GetTickCount();
        SendMessageA(app.window(), WM_DRAWCLIPBOARD, 0, 0);
        EXPECT_LT(GetTickCount() - start, 5000u) << "waited for the hung viewer";
        release.set_value();
    }
    viewer.join();
}

// Started from the Run key or the Task Scheduler (the system folder current, in whatever case),
// the program keeps its files beside kwibra.exe; any other folder is the user's choice.
TEST(AppDesktop, StartedInTheSystemFolderTheFilesAreBesideTheProgram) {
    char system[MAX_PATH] = {}, program[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const fs::path beside = fs::path(program).parent_path();
    TempFolder folder;
    EXPECT_EQ(fs::current_path() / "kwibra.ini", AppWithWindow()->files.settings);
    WriteBytes((beside / "kwibra.ini").string(), SettingsText("beside"));
    SetCurrentDirectoryA(CharUpperA(system));
    {
        AppWithWindow app(nullptr);
        EXPECT_EQ("beside\n---\n", MenuTexts(app->menus.phrases()));
    }
    for (const char* name : {"kwibra.ini", "clip.dat"}) EXPECT_TRUE(fs::remove(beside / name)) << name;
}

// When a viewer after us in the clipboard chain leaves, we pass on to the one after it, and
// tell those further on of other viewers leaving as it was announced.
std::vector<std::string> heard;
LRESULT CALLBACK Viewer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char name[2] = {};
    GetWindowTextA(window, name, 2);
    if (message == WM_DRAWCLIPBOARD) heard.push_back(name + std::string(" hears a change"));
    char leaving[2] = {};
    GetWindowTextA(reinterpret_cast<HWND>(wParam), leaving, 2);
    if (message == WM_CHANGECBCHAIN) heard.push_back(name + std::string(" hears ") + leaving + " leave");
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(AppDesktop, ViewersAfterUsStillHearOfChangesWhenOneLeaves) {
    std::map<std::string, HWND> viewers;
    for (const char* name : {"Z", "Y", "X"}) {
        viewers[name] = CreateWindowA("STATIC", name, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(viewers[name], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Viewer));
        SetClipboardViewer(viewers[name]);
    }
    TempFolder folder;
    AppWithWindow app;
    heard.clear();
    ChangeClipboardChain(viewers["X"], viewers["Y"]);
    ChangeClipboardChain(viewers["Z"], nullptr);
    SetClipboardText("copied");
    EXPECT_EQ((std::vector<std::string>{"Y hears Z leave", "Y hears a change"}), heard);
    ChangeClipboardChain(viewers["Y"], nullptr);
    for (const auto& [name, window] : viewers) DestroyWindow(window);
}

}  // namespace
