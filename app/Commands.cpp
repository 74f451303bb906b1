// The fixed commands of the main menu and the phrase menu, and the posted
// requests of the main window. Every other identifier is an item's.
#include "app/PhraseApp.h"
#include "app/SettingsDialogFactory.h"
#include "resource.h"

void PhraseApp::OnCommandId(UINT id) {
    switch (id) {
        case IDM_EXIT:
            if (nonResident) TellHeldBack();
            Destroy();
            break;
        case IDM_SETTINGS:
            OpenSettings();
            break;
        case IDM_ABOUT:
            ShowAbout();
            break;
        case IDM_ADD_CLIPBOARD:
            ReadClipboardText(true);
            break;
        case IDM_QUIT_RELAY1:
            PostMessageA(hwnd(), WM_COMMAND, IDM_QUIT_RELAY2, 0);
            break;
        case IDM_QUIT_RELAY2:
            PostMessageA(hwnd(), WM_COMMAND, IDM_EXIT, 0);
            break;
        case IDM_SHOW_MENU:
            ShowMenu(currentLParam());
            break;
        case IDM_RELOAD:
            RunDeferredWork();
            break;
        case IDM_HOTKEYS:
        case IDM_PASTE:
            break;  // AfterMessage acts on these
        default:
            DeliverItem(id);
            break;
    }
}

void PhraseApp::OpenSettings() {
    if (nonResident) return;
    if (settingsDialog) SetForegroundWindow(settingsDialog->hwnd());
    if (dialogOpen) return;
    dialogOpen = 1;
    const auto dialog = MakeSettingsDialog();
    // The dialog's hotkey controls must be able to receive any key.
    if (hotkeys.head()) globalHotkeys.Unregister(hwnd(), hotkeys.head());
    dialog->SetTemplate(IDD_SETTINGS, nullptr);
    CaptureTarget();
    const int result = dialog->ShowModal();
    target.ForgetFocus();
    settingsDialog = nullptr;
    const std::vector<const HotkeyBinding*> refused = globalHotkeys.Register(hwnd(), hotkeys.head());
    if (result == 1) TellRefusedHotkeys(refused, false);
    dialogOpen = 0;
}

void PhraseApp::ShowAbout() {
    if (nonResident || dialogOpen) return;
    dialogOpen = 1;
    LockMenus(MF_GRAYED);
    SmartDialog about;
    about.SetTemplate(IDD_ABOUT, nullptr);
    about.ShowModal();
    LockMenus(MF_ENABLED);
    dialogOpen = 0;
}
