#pragma once
// A fresh application and window class for each framework test, and a window logging its handler calls.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "SmartApplication.h"
#include "SmartWindow.h"
#include "WindowClass.h"
#include "WindowRegistry.h"

using Log = std::vector<std::string>;

// The entries of log that begin with one of the prefixes, as "entry, entry".
inline std::string Only(const Log& log, std::initializer_list<const char*> prefixes) {
    std::string kept;
    for (const std::string& entry : log)
        for (const char* prefix : prefixes)
            if (entry.rfind(prefix, 0) == 0) {
                kept += (kept.empty() ? "" : ", ") + entry;
                break;
            }
    return kept;
}

template <typename... Args>
std::string Entry(const char* name, Args... args) {
    std::ostringstream out;
    out << name;
    ((out << ' ' << args), ...);
    return out.str();
}

class RecordingWindow : public SmartWindow {
  public:
    explicit RecordingWindow(Log* log) : log_(log) {}
    ~RecordingWindow() override {
        if (IsBound()) DestroyWindow(hwnd());
    }
    // A top-level window of the registered class.
    bool CreatePlain() {
        return Create("recorder", nullptr, nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100, nullptr);
    }
    using SmartWindow::SetKind;

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        Write(Entry("Default", message));
        return SmartWindow::DefaultProc(message, wParam, lParam);
    }
    void AfterMessage(UINT message, WPARAM, LPARAM) override { Write(Entry("After", message)); }
    LRESULT OnCreate(CREATESTRUCTA*) override { return Write(Entry("OnCreate")), 0; }
    void OnDestroy() override { Write(Entry("OnDestroy")); }
    void OnMouseMove(WPARAM keys, int x, int y) override { Write(Entry("OnMouseMove", keys, x, y)); }
    void OnDrawItem(DRAWITEMSTRUCT* item) override { Write(Entry("OnDrawItem", item->CtlID)); }
    void OnCommandId(UINT id) override { Write(Entry("OnCommandId", id)); }
    void OnCommand(UINT code, UINT id, HWND control) override {
        Write(Entry("OnCommand", code, id, Bound(FindWindowObject(control))));
    }
    void OnControlClicked(UINT id, SmartWindow* control) override {
        Write(Entry("OnControlClicked", id, Bound(control)));
    }
    void OnControlNotify(UINT code, UINT id, SmartWindow* control) override {
        Write(Entry("OnControlNotify", code, id, Bound(control)));
    }

  private:
    void Write(const std::string& entry) { log_->push_back(entry); }
    static const char* Bound(const SmartWindow* object) { return object ? "object" : "none"; }
    Log* log_;
};

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
