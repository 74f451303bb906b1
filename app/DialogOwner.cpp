// The main window as the owner of the program's dialogs: what it does when a
// dialog opens, is accepted or is cancelled, and the menu items that wait
// while one is open.
#include <windows.h>

#include "app/PhraseApp.h"
#include "menus/MenuIds.h"
#include "resource.h"
#include "settings/SettingsDialog.h"

namespace {

constexpr int LineEditLimit = 2047;

bool IsSettingsTemplate(LPCSTR dialogTemplate) {
    return IS_INTRESOURCE(dialogTemplate) &&
           LOWORD(reinterpret_cast<ULONG_PTR>(dialogTemplate)) == IDD_SETTINGS;
}

// The settings dialog of that notification, or null for any other dialog.
SettingsDialog* SettingsDialogOf(LPCSTR dialogTemplate, SmartDialog* dialog) {
    return IsSettingsTemplate(dialogTemplate) ? dynamic_cast<SettingsDialog*>(dialog) : nullptr;
}

}  // namespace

// The dialog works on copies: the lines with copies of their bindings, the
// menu hotkeys and the options.
void PhraseApp::FillSettingsDialog(SettingsDialog& dialog) {
    dialog.SetTildeOption(options.tildeOnShiftZero != 0);
    SendDlgItemMessageA(dialog.hwnd(), IDC_LINE_EDIT, EM_LIMITTEXT, LineEditLimit, 0);
    for (int id : {MAIN_MENU_HOTKEY_ID, HISTORY_MENU_HOTKEY_ID, PHRASE_MENU_HOTKEY_ID}) {
        if (const HotkeyBinding* binding = hotkeys.Find(id))
            dialog.SetMenuHotkey(id, binding->virtualKey, binding->modifiers);
    }
    for (const CollectedLine& line : menus.CollectLines(hotkeys)) dialog.AppendLine(line.line, line.binding);
    settingsDialog = &dialog;
    dialog.SetHistoryLimit(options.historyLimit);
    dialog.SetWaitForKeyRelease(options.waitForKeyRelease != 0);
}

void PhraseApp::OnDialogInit(LPCSTR dialogTemplate, SmartDialog* dialog) {
    if (!dialog || !dialog->IsBound()) return;
    const HWND window = dialog->hwnd();
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon.get()));
    SetForegroundWindow(window);
    if (SettingsDialog* settings = SettingsDialogOf(dialogTemplate, dialog)) FillSettingsDialog(*settings);
    LockMenus(MF_GRAYED);
}

// The settings dialog has applied its settings before it lets OK end it.
void PhraseApp::OnDialogOk(LPCSTR, SmartDialog*) { LockMenus(MF_ENABLED); }

void PhraseApp::OnDialogCancel(LPCSTR dialogTemplate, SmartDialog* dialog) {
    // The Shift+0 box registers at once; Cancel puts the stored option back.
    SettingsDialog* settings = SettingsDialogOf(dialogTemplate, dialog);
    if (settings && settings->TildeOption() != (options.tildeOnShiftZero != 0))
        GlobalHotkeys::RegisterTilde(hwnd(), options.tildeOnShiftZero != 0);
    LockMenus(MF_ENABLED);
}

void PhraseApp::LockMenus(UINT flags) {
    // While the settings dialog is open the phrase menu stays usable.
    if (!settingsDialog) {
        if (menus.phrases()) EnableMenuItem(menus.phrases(), IDM_SETTINGS, flags);
        if (MainMenu()) EnableMenuItem(MainMenu(), PHRASE_MENU_POSITION, flags | MF_BYPOSITION);
    }
    if (MainMenu()) {
        EnableMenuItem(MainMenu(), IDM_ABOUT, flags);
        EnableMenuItem(MainMenu(), IDM_EXIT, flags);
    }
}
