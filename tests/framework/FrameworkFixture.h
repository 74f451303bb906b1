#pragma once
// A fresh application object and default window class for each framework test.
#include <gtest/gtest.h>

#include "Recorder.h"
#include "SmartApplication.h"
#include "WindowClass.h"
#include "WindowRegistry.h"

class FrameworkTest : public ::testing::Test {
  protected:
    struct CountingApp : SmartApplication {
        void OnLastWindowDestroyed() override { ++lastWindowCalls; }
        int lastWindowCalls = 0;
    };

    FrameworkTest() {
        app.SetStartup(GetModuleHandleA(nullptr), SW_SHOW, "");
        WNDCLASSA windowClass;
        FillDefaultWindowClass(&windowClass);
        UnregisterClassA(DefaultClassName, GetModuleHandleA(nullptr));  // left registered by an earlier test
        RegisterWindowClass(&windowClass);
    }
    ~FrameworkTest() override {
        SetMainWindowHandle(nullptr);
        UnregisterClassA(DefaultClassName, GetModuleHandleA(nullptr));
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }

    CountingApp app;
    Log log;
};
