// What Windows 10 and 11 do to a resident program, as far as Wine can show it.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <thread>

#include "AppFixture.h"
#include "Files.h"
#include "app/StartFolder.h"
#include "app/Target.h"

namespace {

// Wine's tray window, where no system tray is, holds a window for each icon.
int TrayIcons() {
    const HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    int count = 0;
    for (HWND icon = nullptr; (icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr));) ++count;
    return count;
}

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
}

TEST(AppDesktop, PasteKeysAreRealKeysAndTheRightCtrlIsExtended) {
    for (const auto& [right, control] : {std::pair{true, VK_RCONTROL}, {false, VK_CONTROL}}) {
        const std::array<INPUT, 4> keys = PasteKeyEvents(right);
        const WORD order[] = {static_cast<WORD>(control), 'V', 'V', static_cast<WORD>(control)};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(order[i], keys[i].ki.wVk);
            EXPECT_NE(0, keys[i].ki.wScan);
            EXPECT_EQ((right && i % 3 == 0 ? KEYEVENTF_EXTENDEDKEY : 0) | (i >= 2 ? KEYEVENTF_KEYUP : 0),
                      keys[i].ki.dwFlags);
        }
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

TEST(AppDesktop, StartedInTheSystemFolderTheFilesAreBesideTheProgram) {
    char system[MAX_PATH] = {}, program[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    TempFolder folder;
    const std::filesystem::path user = std::filesystem::current_path();
    LeaveSystemFolder();
    EXPECT_EQ(user, std::filesystem::current_path()) << "a folder of the user's stays";
    SetCurrentDirectoryA(system);
    LeaveSystemFolder();
    EXPECT_EQ(std::filesystem::path(program).parent_path(), std::filesystem::current_path());
}

}  // namespace
