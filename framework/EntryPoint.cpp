#include "EntryPoint.h"

#include "SmartApplication.h"
#include "WindowClass.h"

int RunApplication(HINSTANCE instance, const char* commandLine, int showCommand) {
    SmartApplication* app = GetApp();
    if (!app) return -1;
    app->SetStartup(instance, showCommand, commandLine);

    WNDCLASSA windowClass;
    FillDefaultWindowClass(&windowClass);
    if (!app->InitApplication(&windowClass)) {
        FreeRegisteredClassName();
        return -1;
    }
    if (windowClass.lpszClassName) RegisterWindowClass(&windowClass);

    const int exitCode = app->Run();
    app->ExitInstance();
    FreeRegisteredClassName();
    return exitCode;
}
