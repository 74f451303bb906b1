#include "FrameworkFixture.h"
#include "MessageLoop.h"
#include "TrayIcon.h"
#include "../data/ShiftJisBytes.h"

namespace {

using FrameworkPlatform = FrameworkTest;

TEST_F(FrameworkPlatform, LoopsEndWithTheQuitCode) {
    for (int (*loop)() : {RunMessageLoop, RunPlainMessageLoop}) {
        PostQuitMessage(7);
        EXPECT_EQ(7, loop());
    }
}

TEST_F(FrameworkPlatform, AcceleratorsOfTheActiveWindowComeFirst) {
    ACCEL f7{FVIRTKEY, VK_F7, 0};
    RecordingWindow first(&log), second(&log);
    for (auto [window, id] : {std::pair{&first, 101}, {&second, 202}}) {
        ASSERT_TRUE(window->CreatePlain());
        f7.cmd = static_cast<WORD>(id);
        window->SetAccelerator(CreateAcceleratorTableA(&f7, 1));
    }
    SetActiveWindowObject(&second);
    MSG key{second.hwnd(), WM_KEYDOWN, VK_F7, 0, 0, {}};
    EXPECT_NE(0, TranslateAccelerators(&key));
    EXPECT_EQ("OnCommandId 202", Only(log, {"OnCommandId"}));
    SetActiveWindowObject(nullptr);
    for (SmartWindow* window : {&first, &second}) DestroyAcceleratorTable(window->accelerator());
}

TEST_F(FrameworkPlatform, FailedRegistrationKeepsTheRememberedClass) {
    WNDCLASSA windowClass;
    FillDefaultWindowClass(&windowClass);
    windowClass.lpszClassName = "KwibraOtherClass";
    ASSERT_NE(0, RegisterWindowClass(&windowClass));
    FillDefaultWindowClass(&windowClass);
    EXPECT_EQ(0, RegisterWindowClass(&windowClass)) << "registered by the fixture already";
    EXPECT_STREQ("KwibraOtherClass", RegisteredClassName());
    UnregisterClassA("KwibraOtherClass", GetModuleHandleA(nullptr));
}

TEST_F(FrameworkPlatform, TrayTipNeverEndsInHalfACharacter) {
    RecordingWindow window(&log);
    ASSERT_TRUE(window.CreatePlain());
    for (const auto& [byte, lead] : ShiftJisBytes) {
        TrayIcon tray;
        const std::string tip = std::string(62, 'a') + byte + "\\";  // cut at 63 bytes, after the byte
        tray.Add(window.hwnd(), 5, LoadIconA(nullptr, IDI_APPLICATION), tip.c_str());
        EXPECT_EQ(std::string(62, 'a') + (lead ? "" : byte), tray.tip()) << lead;
    }
}

}  // namespace
