#include "AppFixture.h"

#include <gtest/gtest.h>

#include "Files.h"
#include "WindowClass.h"
#include "WindowRegistry.h"
#include "menus/MenuEntries.h"

AppWithWindow::AppWithWindow(const char* lines, std::vector<Step> startUp, const char* commandLine)
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

AppWithWindow::~AppWithWindow() {
    if (app_->hwnd()) DestroyWindow(app_->hwnd());
    Pump();
    SetMainWindowHandle(nullptr);
}

void AppWithWindow::Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void AppWithWindow::Command(UINT id) {
    SendMessageA(app_->hwnd(), WM_COMMAND, id, 0);
    Pump();
}

std::string MenuTexts(HMENU menu) {
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
