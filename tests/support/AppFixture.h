#pragma once
// The application object in the current folder as its start-up leaves it, before the message loop.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DialogSteps.h"
#include "Files.h"
#include "WindowClass.h"
#include "WindowRegistry.h"
#include "app/PhraseApp.h"
#include "menus/MenuEntries.h"

class AppWithWindow {
  public:
    // kwibra.ini of these lines unless null; the steps answer start-up's dialogs, without them none may open.
    explicit AppWithWindow(const char* lines = "phrase", std::vector<Step> startUp = {},
                           const char* commandLine = "")
        : app_(std::make_unique<PhraseApp>()) {
        if (lines) WriteBytes(PhraseApp::settingsPath, SettingsText(lines));
        // The clipboard is empty at every start: joining the viewer chain reads it into the history.
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        app_->SetStartup(GetModuleHandleA(nullptr), SW_HIDE, commandLine);
        WNDCLASSA windowClass;
        FillDefaultWindowClass(&windowClass);
        app_->InitApplication(&windowClass);
        RegisterWindowClass(&windowClass);  // fails harmlessly once the class exists
        RunDialog([this] { EXPECT_EQ(std::nullopt, app_->StartUp()); }, std::move(startUp));
    }
    ~AppWithWindow() {
        if (app_->hwnd()) DestroyWindow(app_->hwnd());
        Pump();
        SetMainWindowHandle(nullptr);
    }
    PhraseApp* operator->() { return app_.get(); }
    HWND window() const { return app_->hwnd(); }
    void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    // Sends WM_COMMAND with the identifier, as a chosen menu item does, and handles what it posts.
    void Command(UINT id) {
        SendMessageA(app_->hwnd(), WM_COMMAND, id, 0);
        Pump();
    }

  private:
    std::unique_ptr<PhraseApp> app_;
};

// The displayed texts of a menu's owner-drawn entries, "---" for separators.
inline std::string MenuTexts(HMENU menu) {
    std::string texts;
    for (int position = 0; position < EntryCount(menu); ++position) {
        MenuEntry entry;
        ReadEntry(menu, position, entry);
        if (entry.BeginsColumn()) texts += "-->\n";
        if (entry.IsSeparator()) texts += "---\n";
        if (entry.IsOwnerDrawn() && entry.record) texts += entry.record->DisplayText() + "\n";
    }
    return texts;
}
