#pragma once
// The application object as its start-up leaves it before the message loop:
// class registered, hidden main window, menus and files of the current
// folder loaded, hotkeys registered, tray icon added, clipboard chain joined.
#include <memory>
#include <string>

#include "DialogSteps.h"
#include "app/PhraseApp.h"

class AppWithWindow {
  public:
    // Writes kwibra.ini with these list lines first, unless they are null. The
    // steps answer the dialogs that start-up shows; without them none may open.
    explicit AppWithWindow(const char* lines = "phrase", std::vector<Step> startUp = {},
                           const char* commandLine = "");
    ~AppWithWindow();
    AppWithWindow(const AppWithWindow&) = delete;
    AppWithWindow& operator=(const AppWithWindow&) = delete;
    PhraseApp* operator->() { return app_.get(); }
    HWND window() const { return app_->hwnd(); }
    // Handles what is queued: posted commands, paste requests.
    void Pump();
    // Sends WM_COMMAND with the identifier, as a chosen menu item does, and handles what it posts.
    void Command(UINT id);

  private:
    std::unique_ptr<PhraseApp> app_;
};

// The displayed texts of a menu's owner-drawn entries, "---" for separators.
std::string MenuTexts(HMENU menu);
