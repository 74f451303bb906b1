#include "SmartApplication.h"

#include "MessageLoop.h"
#include "WindowClass.h"

namespace {
SmartApplication* theApplication = nullptr;
}

SmartApplication* GetApp() { return theApplication; }

SmartApplication::SmartApplication(const char* title) : title_(title ? title : DefaultClassName) {
    theApplication = this;
}

SmartApplication::~SmartApplication() {
    // Never leave the process pointing at a destroyed object.
    if (theApplication == this) theApplication = nullptr;
}

BOOL SmartApplication::InitApplication(WNDCLASSA* windowClass) { return InitClass(windowClass); }

BOOL SmartApplication::InitClass(WNDCLASSA*) { return TRUE; }

int SmartApplication::Run() { return RunMessageLoop(); }

void SmartApplication::ExitInstance() {}

void SmartApplication::OnLastWindowDestroyed() { PostQuitMessage(0); }

void SmartApplication::SetStartup(HINSTANCE instance, int showCommand, const char* commandLine) {
    if (instance_) return;
    instance_ = instance;
    showCommand_ = showCommand;
    commandLine_ = commandLine;
}
