#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "SmartApplication.h"
#include "SmartWindow.h"

using Log = std::vector<std::string>;

// Counts OnLastWindowDestroyed instead of quitting.
class TestApp : public SmartApplication {
  public:
    using SmartApplication::SmartApplication;
    void OnLastWindowDestroyed() override { ++lastWindowCalls; }
    int lastWindowCalls = 0;
};

std::string MessageName(UINT message);
std::string Hex(UINT_PTR value);
// The entries of the log that start with one of the prefixes.
Log Only(const Log& log, std::initializer_list<const char*> prefixes);
// Removes every queued message; returns the code of a WM_QUIT among them, or -1000.
int DrainMessages();

// Test names for window objects in logs ("none" for null).
void SetLabel(const SmartWindow* window, const std::string& label);
std::string Label(const SmartWindow* window);

// Fresh application object and registered default class for every test.
class FrameworkTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    HINSTANCE instance() const { return GetModuleHandleA(nullptr); }
    std::unique_ptr<TestApp> app;
};

// A plain window that writes what it receives into a log.
class RecordingWindow : public SmartWindow {
  public:
    explicit RecordingWindow(Log* log, const char* label = "window");
    ~RecordingWindow() override;

    // Creates a top-level (or, with a parent, child) window of the default class.
    bool CreateDefault(HWND parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW, int id = 0);
    using SmartWindow::SetKind;

    // When set, DefaultProc returns this instead of calling the platform.
    bool fixedDefault = false;
    LRESULT fixedDefaultResult = 0;
    LRESULT trayResult = 0;
    bool leaveMenusAlone = true;  // post WM_CANCELMODE on WM_ENTERIDLE

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDrawItem(DRAWITEMSTRUCT* item) override;
    void OnActivate(UINT state, HWND otherWindow, UINT minimized) override;
    LRESULT OnCreate(CREATESTRUCTA* create) override;
    void OnSize(WPARAM type, int width, int height) override;
    void OnMouseMove(WPARAM keys, int x, int y) override;
    void OnContextMenu(HWND window, int x, int y) override;
    void OnKeyDown(WPARAM key, LPARAM flags) override;
    void OnSysCommand(WPARAM command, UINT x, UINT y) override;
    void OnHScroll(UINT code, UINT position, HWND scrollBar) override;
    void OnDestroy() override;
    void OnInitMenuPopup(HMENU menu, UINT position, UINT systemMenu) override;
    void OnMenuSelect(UINT item, UINT flags, HMENU menu) override;
    void OnCommand(UINT code, UINT id, HWND control) override;
    void OnControlClicked(UINT id, SmartWindow* control) override;
    void OnControlNotify(UINT code, UINT id, SmartWindow* control) override;
    void OnCommandId(UINT id) override;
    void OnTrayMouseMove(WPARAM iconId, int x, int y) override;
    void OnTrayLButtonDown(WPARAM iconId, int x, int y) override;
    void OnTrayLButtonDblClk(WPARAM iconId, int x, int y) override;
    void OnTrayLButtonUp(WPARAM iconId, int x, int y) override;
    void OnTrayRButtonDown(WPARAM iconId, int x, int y) override;
    void OnTrayRButtonUp(WPARAM iconId, int x, int y) override;
    LRESULT OnTrayMessage(WPARAM wParam, LPARAM lParam) override;
    void OnDialogInit(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    void PreDialogInit(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    void OnDialogOk(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    void PreDialogOk(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    void OnDialogCancel(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    void PreDialogCancel(LPCSTR dialogTemplate, SmartDialog* dialog) override;

  protected:
    void Write(const std::string& entry) { log_->push_back(entry); }
    void WriteTray(const char* name, WPARAM iconId, int x, int y);
    void WriteDialog(const char* name, LPCSTR dialogTemplate, SmartDialog* dialog);

  private:
    Log* log_;
};
