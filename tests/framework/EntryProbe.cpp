// A GUI program made of the framework alone: its WinMain comes from the
// library. Exits with 23 when the whole start-up and shutdown ran as
// expected, with another code naming the first step that did not.
#include <cstring>

#include "MessageLoop.h"
#include "SmartApplication.h"
#include "SmartWindow.h"
#include "WindowClass.h"
#include "WindowRegistry.h"

namespace {

class ProbeApp : public SmartApplication {
  public:
    ProbeApp() : SmartApplication("プローブ") {}

    int Run() override {
        if (!commandLine() || !std::strstr(commandLine(), "probe-argument")) return 2;
        const char* className = RegisteredClassName();
        if (!className || std::strcmp(className, DefaultClassName) != 0) return 3;
        if (!mainWindow.Create(nullptr, nullptr, nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 0, 100, 100, nullptr))
            return 4;
        SetMainWindowHandle(mainWindow.hwnd());
        PostMessageA(mainWindow.hwnd(), WM_CLOSE, 0, 0);
        const int loopResult = RunPlainMessageLoop();
        if (loopResult != 0 || mainWindow.IsBound()) return 5;
        return 23;
    }

  private:
    SmartWindow mainWindow;
};

ProbeApp probeApp;

}  // namespace
