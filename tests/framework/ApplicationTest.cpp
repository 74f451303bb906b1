#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "CommonWindowProc.h"
#include "EntryPoint.h"
#include "FrameworkTestSupport.h"
#include "MessageLoop.h"
#include "SmartApplication.h"
#include "WindowClass.h"

namespace {

// Walks through start-up, writing each step into a log.
class StartupApp : public SmartApplication {
  public:
    explicit StartupApp(Log* log) : SmartApplication("起動"), log_(log) {}

    BOOL InitApplication(WNDCLASSA* windowClass) override {
        log_->push_back("InitApplication");
        defaultClass = *windowClass;
        windowClass->lpszClassName = className;
        return refuse ? FALSE : SmartApplication::InitApplication(windowClass);
    }
    BOOL InitClass(WNDCLASSA* windowClass) override {
        log_->push_back(std::string("InitClass ") + windowClass->lpszClassName);
        return TRUE;
    }
    int Run() override {
        const char* registered = RegisteredClassName();
        log_->push_back(std::string("Run ") + (registered ? registered : "none"));
        return 7;
    }
    void ExitInstance() override { log_->push_back("ExitInstance"); }

    const char* className = "KwibraStartupClass";
    bool refuse = false;
    WNDCLASSA defaultClass{};

  private:
    Log* log_;
};

bool ClassExists(const char* name) {
    WNDCLASSA found;
    return GetClassInfoA(GetModuleHandleA(nullptr), name, &found) != 0;
}

}  // namespace

TEST(Application, EntryPointWithoutApplicationReturnsMinusOne) {
    ASSERT_EQ(nullptr, GetApp());
    EXPECT_EQ(-1, RunApplication(GetModuleHandleA(nullptr), "", SW_SHOW));
    {
        SmartApplication gone;
        EXPECT_EQ(&gone, GetApp());
    }
    EXPECT_EQ(nullptr, GetApp()) << "a destroyed application must not stay the application";
    EXPECT_EQ(-1, RunApplication(GetModuleHandleA(nullptr), "", SW_SHOW));
}

TEST(Application, LaterApplicationReplacesEarlierOne) {
    SmartApplication first("一");
    SmartApplication second;
    EXPECT_EQ(&second, GetApp());
    EXPECT_STREQ("一", first.title());
    EXPECT_STREQ("VarnokSmartClass", second.title());
}

TEST(Application, SecondSetStartupChangesNothing) {
    SmartApplication app;
    EXPECT_EQ(nullptr, app.instance());
    char firstLine[] = "-o";
    app.SetStartup(GetModuleHandleA(nullptr), SW_SHOWMINIMIZED, firstLine);
    app.SetStartup(reinterpret_cast<HINSTANCE>(0x10000), SW_HIDE, "other");
    EXPECT_EQ(GetModuleHandleA(nullptr), app.instance());
    EXPECT_EQ(SW_SHOWMINIMIZED, app.showCommand());
    EXPECT_EQ(firstLine, app.commandLine());
}

TEST(Application, EntryPointRunsTheStepsInOrder) {
    Log log;
    StartupApp app(&log);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    EXPECT_EQ(7, RunApplication(instance, "-o 表", SW_SHOWMINNOACTIVE));
    EXPECT_EQ(
        (Log{"InitApplication", "InitClass KwibraStartupClass", "Run KwibraStartupClass", "ExitInstance"}),
        log);
    EXPECT_EQ(nullptr, RegisteredClassName()) << "the remembered name is freed at exit";
    EXPECT_STREQ("-o 表", app.commandLine());
    EXPECT_EQ(SW_SHOWMINNOACTIVE, app.showCommand());

    const WNDCLASSA& filled = app.defaultClass;
    EXPECT_EQ(0x0Bu, filled.style);
    EXPECT_EQ(CommonWindowProc, filled.lpfnWndProc);
    EXPECT_EQ(0, filled.cbClsExtra + filled.cbWndExtra);
    EXPECT_EQ(instance, filled.hInstance);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), filled.hIcon);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), filled.hCursor);
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), filled.hbrBackground);
    EXPECT_EQ(nullptr, filled.lpszMenuName);
    EXPECT_STREQ("VarnokSmartClass", filled.lpszClassName);
    EXPECT_TRUE(ClassExists("KwibraStartupClass"));
    UnregisterClassA("KwibraStartupClass", instance);
}

TEST(Application, RefusedInitApplicationStopsStartup) {
    Log log;
    StartupApp app(&log);
    app.refuse = true;
    app.className = "KwibraRefusedClass";
    WNDCLASSA earlier;
    FillDefaultWindowClass(&earlier);
    earlier.lpszClassName = "KwibraEarlierClass";
    ASSERT_NE(0, RegisterWindowClass(&earlier));

    EXPECT_EQ(-1, RunApplication(GetModuleHandleA(nullptr), "", SW_SHOW));
    EXPECT_EQ(Log{"InitApplication"}, log);
    EXPECT_FALSE(ClassExists("KwibraRefusedClass"));
    EXPECT_EQ(nullptr, RegisteredClassName());
    UnregisterClassA("KwibraEarlierClass", GetModuleHandleA(nullptr));
}

TEST(Application, FailedRegistrationKeepsTheRememberedName) {
    SmartApplication app;
    app.SetStartup(GetModuleHandleA(nullptr), SW_SHOW, "");
    WNDCLASSA windowClass;
    FillDefaultWindowClass(&windowClass);
    char name[] = "KwibraNamedClass";
    windowClass.lpszClassName = name;
    ASSERT_NE(0, RegisterWindowClass(&windowClass));
    name[0] = 'X';  // the framework keeps its own copy
    EXPECT_STREQ("KwibraNamedClass", RegisteredClassName());

    windowClass.lpszClassName = "KwibraNamedClass";
    EXPECT_EQ(0, RegisterWindowClass(&windowClass)) << "already registered";
    EXPECT_STREQ("KwibraNamedClass", RegisteredClassName());

    windowClass.lpszClassName = "KwibraOtherClass";
    EXPECT_NE(0, RegisterWindowClass(&windowClass));
    EXPECT_STREQ("KwibraOtherClass", RegisteredClassName());
    FreeRegisteredClassName();
    UnregisterClassA("KwibraNamedClass", GetModuleHandleA(nullptr));
    UnregisterClassA("KwibraOtherClass", GetModuleHandleA(nullptr));
}

TEST(Application, DefaultsRunTheLoopAndQuitAfterTheLastWindow) {
    SmartApplication app;
    PostQuitMessage(9);
    EXPECT_EQ(9, app.Run());
    app.OnLastWindowDestroyed();
    EXPECT_EQ(0, DrainMessages());
}

TEST(Application, ExecutableGetsItsEntryPointFromTheLibrary) {
    char path[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, path, MAX_PATH));
    std::string probe(path);
    probe.replace(probe.find_last_of('\\') + 1, std::string::npos, "framework_entry_probe.exe");
    std::string commandLine = "\"" + probe + "\" probe-argument";

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(probe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 30000));
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(23u, exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
