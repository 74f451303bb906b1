#pragma once

#include <windows.h>

// The one application object of the process. The application derives its
// own class from it; the entry point hands the process to the newest one.
class SmartApplication {
  public:
    // A null title stands for the default class name "VarnokSmartClass".
    explicit SmartApplication(const char* title = nullptr);
    virtual ~SmartApplication();

    SmartApplication(const SmartApplication&) = delete;
    SmartApplication& operator=(const SmartApplication&) = delete;

    // May change the default window class before it is registered;
    // FALSE stops start-up. The default asks InitClass.
    virtual BOOL InitApplication(WNDCLASSA* windowClass);
    virtual BOOL InitClass(WNDCLASSA* windowClass);
    // The process exit code. The default runs RunMessageLoop.
    virtual int Run();
    virtual void ExitInstance();
    // The last bound window object lost its window. The default quits.
    virtual void OnLastWindowDestroyed();

    // Records the start-up values once; later calls change nothing.
    void SetStartup(HINSTANCE instance, int showCommand, const char* commandLine);

    HINSTANCE instance() const { return instance_; }
    const char* title() const { return title_; }
    int showCommand() const { return showCommand_; }
    const char* commandLine() const { return commandLine_; }

  private:
    HINSTANCE instance_ = nullptr;
    const char* title_;
    int showCommand_ = 0;
    const char* commandLine_ = nullptr;
};

// The application object, or null when none exists.
SmartApplication* GetApp();
