// The framework's contact with the system: message loops, accelerators,
// class registration, the entry point, the tray tip and control numbers.
#include "EntryPoint.h"
#include "FrameworkFixture.h"
#include "MessageLoop.h"
#include "SmartControl.h"
#include "TrayIcon.h"

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
    MSG key{};
    key.hwnd = second.hwnd();
    key.message = WM_KEYDOWN;
    key.wParam = VK_F7;
    EXPECT_NE(0, TranslateAccelerators(&key));
    EXPECT_EQ(Log{"OnCommandId 202"}, Only(log, {"OnCommandId"}));
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

struct StartingApp : SmartApplication {
    BOOL InitApplication(WNDCLASSA*) override {
        steps += "init ";
        return allow;
    }
    int Run() override { return steps += "run ", 5; }
    void ExitInstance() override { steps += "exit"; }
    bool allow = true;
    std::string steps;
};

TEST(FrameworkEntry, StartUpRunsInitRunAndExitOrStopsEarly) {
    EXPECT_EQ(-1, RunApplication(nullptr, "", SW_SHOW)) << "no application object";
    StartingApp app;
    EXPECT_EQ(5, RunApplication(GetModuleHandleA(nullptr), "-o", SW_SHOW));
    EXPECT_EQ("init run exit", app.steps);
    EXPECT_STREQ("-o", app.commandLine());
    app.allow = false;
    app.steps.clear();
    EXPECT_EQ(-1, RunApplication(nullptr, "", SW_SHOW));
    EXPECT_EQ("init ", app.steps);
}

TEST_F(FrameworkPlatform, TrayTipNeverEndsInHalfACharacter) {
    RecordingWindow window(&log);
    ASSERT_TRUE(window.CreatePlain());
    TrayIcon tray;
    const std::string tip = std::string(62, 'a') + "表示";  // the cut at 63 bytes falls inside 表
    tray.Add(window.hwnd(), 5, LoadIconA(nullptr, IDI_APPLICATION), tip.c_str());
    EXPECT_EQ(std::string(62, 'a'), tray.tip());
}

TEST_F(FrameworkPlatform, NumbersReadFromControlsSaturate) {
    SmartControl unbound(1);
    const std::pair<const char*, int> rows[] = {
        {"  -12abc", -12}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"x1", 0}, {"", 0}};
    for (const auto& [text, number] : rows) {
        unbound.SetText(text);
        EXPECT_EQ(number, unbound.GetInt()) << text;
    }
}

}  // namespace
