// Popping up a menu at the cursor, what happens when it closes, and the
// tray icon's clicks.
#include <utility>

#include "app/PhraseApp.h"
#include "menus/MenuIds.h"
#include "resource.h"

void PhraseApp::ShowMenu(LPARAM selector) {
    // One menu at a time: a hotkey or a second "-o" while one is open would
    // make the nested menu fail and, without a resident, end the program.
    if (menuOpen) return;
    HMENU menu = selector == 0 ? MainMenu() : GetSubMenu(MainMenu(), static_cast<int>(selector - 1));
    if (!menu) {
        EndIfNonResident();  // a selector that names no popup shows nothing
        return;
    }
    // The busy icon goes up once the menu shows: the shell is not asked
    // to change it while the user waits for the menu.
    KillTimer(hwnd(), TrayIdle);
    trayBusyPending = !nonResident;
    POINT cursor{};
    GetCursorPos(&cursor);
    OnTrayMessage(0, 0);
    // Without being the foreground window, the menu would not close when
    // the user clicks elsewhere.
    SetForegroundWindow(hwnd());
    if (!TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr)) EndIfNonResident();
    // The chosen entry is posted before anything the closing menu posts. A
    // menu closed without a delivery leaves no focus behind for a later
    // hotkey's paste to put back.
    MSG chosen;
    const bool delivers = PeekMessageA(&chosen, hwnd(), WM_COMMAND, WM_COMMAND, PM_NOREMOVE) &&
                          LOWORD(chosen.wParam) >= FIRST_ITEM_COMMAND_ID && LOWORD(chosen.wParam) < IDM_EXIT;
    if (!delivers) target.ForgetFocus();
}

// A non-resident process whose menu could not be shown would otherwise stay
// behind without any window to end it from.
void PhraseApp::EndIfNonResident() {
    if (nonResident) PostMessageA(hwnd(), WM_COMMAND, IDM_QUIT_RELAY1, 0);
}

void PhraseApp::OnMenuSelect(UINT, UINT flags, HMENU menu) {
    ForwardCurrent();
    const bool menuClosed = flags == 0xFFFF && !menu;
    if (!menuClosed) return;
    if (target.window()) SetForegroundWindow(target.window());
    // The tray icon comes back once the chosen item's work has had its turn.
    if (nonResident)
        PostMessageA(hwnd(), WM_COMMAND, IDM_QUIT_RELAY1, 0);
    else if (std::exchange(trayBusyPending, false) || trayBusy)
        SetTimer(hwnd(), TrayIdle, 10, nullptr);
}

LRESULT PhraseApp::OnTrayMessage(WPARAM, LPARAM) { return CaptureTarget(); }

void PhraseApp::OnTrayLButtonDblClk(WPARAM, int, int) {
    SetForegroundWindow(hwnd());
    PostMessageA(hwnd(), WM_COMMAND, IDM_SETTINGS, 0);
}

void PhraseApp::OnTrayRButtonUp(WPARAM iconId, int x, int y) {
    SetForegroundWindow(hwnd());
    SmartWindow::OnTrayRButtonUp(iconId, x, y);  // posts WM_CONTEXTMENU: the main menu at (x, y)
}
