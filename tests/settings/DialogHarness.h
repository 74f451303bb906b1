#pragma once
// Runs the real settings dialog (template 103) modally under a hidden owner
// window that fills it the way the application does, and drives it from
// inside the modal loop: each step runs once every message the previous
// steps posted has been handled.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SmartApplication.h"
#include "SmartWindow.h"
#include "data/HotkeyList.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsOwner.h"

class QuietApp : public SmartApplication {
  public:
    void OnLastWindowDestroyed() override {}
};

struct FillLine {
    std::string text;
    std::uint8_t virtualKey = 0;  // 0: no hotkey
    std::uint8_t modifiers = 0;
};

struct MenuHotkey {
    int id;  // 0 main menu, 1 history menu, 2 phrase menu
    std::uint8_t virtualKey;
    std::uint8_t modifiers;
};

// What the owner puts into the dialog when it opens.
struct DialogFill {
    std::vector<FillLine> lines;
    bool tildeOnShiftZero = false;
    int historyLimit = 20;
    bool waitForKeyRelease = true;
    std::vector<MenuHotkey> menuHotkeys;
};

// What the owner read when it applied the dialog.
struct AppliedSettings {
    std::vector<std::string> lines;
    std::vector<std::optional<std::pair<int, int>>> hotkeys;  // key, modifiers
    WORD mainMenu = 0, historyMenu = 0, phraseMenu = 0;
    bool tilde = false;
    bool wait = false;
    int historyLimit = 0;
};

using Step = std::function<void(SettingsDialog& dialog, HWND window)>;

class TestOwner : public SmartWindow, public SettingsOwner {
  public:
    TestOwner();
    ~TestOwner() override;

    // Shows the dialog, runs the steps inside its modal loop and returns
    // ShowModal's result. Still open after the last step, it is cancelled.
    int Run(SettingsDialog& dialog, std::vector<Step> steps);

    DialogFill fill;
    std::vector<AppliedSettings> applied;  // one per ApplySettings
    std::vector<std::string> notices;      // owner notifications in order
    std::vector<LPARAM> hotkeyRequests;    // lParam of each IDM_HOTKEYS
    std::string statusWhileApplying;

    void OnDialogInit(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    void OnDialogOk(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    void OnDialogCancel(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    void ApplySettings(SettingsDialog* dialog) override;
    void OnCommandId(UINT id) override;
    void OnTimer(WPARAM timerId) override;
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void RunNextStep();

    SettingsDialog* dialog_ = nullptr;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int settleRounds_ = 0;
};

// A fresh application object, default window class and owner per test.
class SettingsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<QuietApp> app;
    std::unique_ptr<TestOwner> owner;
};

// ---- Helpers for steps ----
HWND Item(HWND dialog, int id);
std::string WindowText(HWND window);
std::string Status(HWND dialog);
// The whole string of the string table.
std::string ResourceString(UINT id);
std::vector<std::string> ListLines(HWND dialog);
int Selection(HWND dialog);
bool Enabled(HWND dialog, int id);
bool Visible(HWND dialog, int id);
// Types text at the caret of an edit that gets the focus first.
void TypeInto(HWND edit, const std::string& text);
// Replaces the whole text of an edit the way typing over a selection does.
void TypeOver(HWND edit, const std::string& text);
void PostKey(HWND window, WPARAM key, bool extended = false);
void PostKeyUp(HWND window, WPARAM key);
// The line edit's window text.
std::string LineText(HWND dialog);
int ComboSelection(HWND dialog, int comboId);
// A rectangle of the template in dialog units, in pixels of this dialog.
RECT DialogUnits(HWND dialog, int x, int y, int width, int height);
// The selection change the list box reports when the user clicks an item.
void SelectItem(HWND dialog, int index);
// The combo box reports a choice the way a user's choice does.
void ChooseInCombo(HWND dialog, int comboId, int index);
// Holds Ctrl down as hardware input (what GetAsyncKeyState sees) until released.
void PressControl();
void ReleaseControl();
RECT ClientRectIn(HWND dialog, int id);
