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
#include "app/Target.h"
#include "menus/MenuIds.h"
#include "resource.h"

namespace {

namespace fs = std::filesystem;

// Wine's tray window, where no system tray is, holds a window for each icon.
std::vector<HWND> TrayIcons() {
    const HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    std::vector<HWND> icons;
    for (HWND icon = nullptr; (icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr));)
        icons.push_back(icon);
    return icons;
}

// The icon added again answers clicks as the first one did: a double click opens the settings.
TEST(AppDesktop, TrayIconComesBackWhenExplorerStartsAgain) {
    TempFolder folder;
    AppWithWindow app;
    const std::size_t icons = TrayIcons().size();
    NOTIFYICONDATAA gone = app->tray.data();  // the shell lost it
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
    EXPECT_EQ(icons - 1, TrayIcons().size());
    SendMessageA(app.window(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(icons, TrayIcons().size());
    RunDialog(
        [&] {
            for (const HWND icon : TrayIcons()) PostMessageA(icon, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
            for (int wait = 0; wait < 50; ++wait, Sleep(20)) app.Pump();
        },
        {Expect([](HWND dialog) { EXPECT_TRUE(GetDlgItem(dialog, IDC_ITEM_LIST)); }), ClickOn(IDCANCEL)});
}

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

// The tray icon is busy while a hotkey's menu is open, and itself again once the choice's work is done.
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

// Paste keys have scan codes, modifiers around the key, the right Ctrl and the navigation block extended.
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
    EXPECT_TRUE(CanBeTarget("Notepad", other));
    for (const char* shell : {"Shell_TrayWnd", "NotifyIconOverflowWindow"})
        EXPECT_FALSE(CanBeTarget(shell, other));
    EXPECT_FALSE(CanBeTarget("Notepad", GetCurrentProcessId()));
}

// A window of another program: Wine's notepad, ended with the test.
class Notepad {
  public:
    Notepad() {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        char commandLine[] = "notepad.exe";
        if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_))
            return;
        WaitForInputIdle(process_.hProcess, 10000);
        for (int wait = 0; wait < 100 && !window; ++wait, Sleep(50))
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "Notepad", nullptr));)
                if (DWORD id = 0; GetWindowThreadProcessId(w, &id) && id == process_.dwProcessId) window = w;
    }
    ~Notepad() {
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    Notepad(const Notepad&) = delete;
    Notepad& operator=(const Notepad&) = delete;

    HWND window = nullptr;

  private:
    PROCESS_INFORMATION process_{};
};

// One click on the tray icon makes a burst of notices: the target is taken once per interval.
TEST(AppDesktop, ABurstOfTrayNoticesKeepsTheTargetOfTheFirst) {
    TempFolder folder;
    AppWithWindow app;
    const Notepad first, second;
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

// Keys that reached a program at our level tell nothing (without a tray icon, a box would fail the test).
TEST(AppDesktop, APasteThatGetsThroughTellsNothing) {
    TempFolder folder;
    AppWithWindow app;
    const Notepad notepad;
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

// Started by the Run key or the Task Scheduler (the system folder current), it keeps its files beside it.
TEST(AppDesktop, StartedInTheSystemFolderTheFilesAreBesideTheProgram) {
    char system[MAX_PATH] = {}, program[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const fs::path beside = fs::path(program).parent_path();
    TempFolder folder;
    WriteBytes((beside / "kwibra.ini").string(), SettingsText("beside"));
    SetCurrentDirectoryA(CharUpperA(system));
    {
        AppWithWindow app(nullptr);
        EXPECT_EQ("beside\n---\n", MenuTexts(app->menus.phrases()));
    }
    for (const char* name : {"kwibra.ini", "clip.dat"}) EXPECT_TRUE(fs::remove(beside / name)) << name;
}

// When a viewer after us leaves the clipboard chain, changes and departures still reach those after it.
std::vector<std::string> heard;
LRESULT CALLBACK Viewer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char name[2] = {}, leaving[2] = {};
    GetWindowTextA(window, name, 2);
    GetWindowTextA(reinterpret_cast<HWND>(wParam), leaving, 2);
    if (message == WM_DRAWCLIPBOARD) heard.push_back(name + std::string(" hears a change"));
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
