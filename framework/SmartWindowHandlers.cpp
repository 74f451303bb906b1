// The default behaviour of every virtual handler of SmartWindow.
#include "SmartWindow.h"

LRESULT SmartWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void SmartWindow::AfterMessage(UINT, WPARAM, LPARAM) {}
void SmartWindow::OnDrawItem(DRAWITEMSTRUCT*) { ForwardCurrent(); }
void SmartWindow::OnActivate(UINT, HWND, UINT) { ForwardCurrent(); }
void SmartWindow::OnPaint() { ForwardCurrent(); }
void SmartWindow::PreCreateWindow(CREATESTRUCTA*) {}
LRESULT SmartWindow::OnCreate(CREATESTRUCTA*) { return ForwardCurrent(); }
void SmartWindow::OnSize(WPARAM, int, int) { ForwardCurrent(); }
void SmartWindow::OnMouseMove(WPARAM, int, int) { ForwardCurrent(); }
void SmartWindow::OnLButtonDown(WPARAM, int, int) { ForwardCurrent(); }
void SmartWindow::OnLButtonDblClk(WPARAM, int, int) { ForwardCurrent(); }
void SmartWindow::OnLButtonUp(WPARAM, int, int) { ForwardCurrent(); }
void SmartWindow::OnRButtonDown(WPARAM, int, int) { ForwardCurrent(); }

void SmartWindow::OnContextMenu(HWND, int x, int y) {
    ForwardCurrent();
    if (popupMenu_) TrackPopupMenu(popupMenu_, TPM_RIGHTBUTTON, x, y, 0, hwnd_, nullptr);
}

void SmartWindow::OnRButtonUp(WPARAM, int, int) { ForwardCurrent(); }
void SmartWindow::OnKeyDown(WPARAM, LPARAM) { ForwardCurrent(); }
void SmartWindow::OnChar(WPARAM, LPARAM) { ForwardCurrent(); }
void SmartWindow::OnKeyUp(WPARAM, LPARAM) { ForwardCurrent(); }
void SmartWindow::OnSysKeyDown(WPARAM, LPARAM) { ForwardCurrent(); }
void SmartWindow::OnSysKeyUp(WPARAM, LPARAM) { ForwardCurrent(); }
void SmartWindow::OnSysCommand(WPARAM, UINT, UINT) { ForwardCurrent(); }
void SmartWindow::OnTimer(WPARAM) { ForwardCurrent(); }
void SmartWindow::OnDropFiles(HDROP) { ForwardCurrent(); }
void SmartWindow::OnHScroll(UINT, UINT, HWND) { ForwardCurrent(); }
void SmartWindow::OnVScroll(UINT, UINT, HWND) { ForwardCurrent(); }
void SmartWindow::OnClose() { ForwardCurrent(); }
void SmartWindow::OnDestroy() { ForwardCurrent(); }
void SmartWindow::OnInitMenu(HMENU) { ForwardCurrent(); }
void SmartWindow::OnInitMenuPopup(HMENU, UINT, UINT) { ForwardCurrent(); }
void SmartWindow::OnMenuSelect(UINT, UINT, HMENU) { ForwardCurrent(); }
void SmartWindow::OnNotify(WPARAM, NMHDR*) { ForwardCurrent(); }
void SmartWindow::OnCommand(UINT, UINT, HWND) { ForwardCurrent(); }
void SmartWindow::OnControlClicked(UINT, SmartWindow*) {}
void SmartWindow::OnControlNotify(UINT, UINT, SmartWindow*) {}
void SmartWindow::OnCommandId(UINT) {}
void SmartWindow::OnTrayMouseMove(WPARAM, int, int) {}
void SmartWindow::OnTrayLButtonDown(WPARAM, int, int) {}
void SmartWindow::OnTrayLButtonDblClk(WPARAM, int, int) {}
void SmartWindow::OnTrayLButtonUp(WPARAM, int, int) {}
void SmartWindow::OnTrayRButtonDown(WPARAM, int, int) {}

void SmartWindow::OnTrayRButtonUp(WPARAM, int x, int y) {
    // By default a right click on the tray icon opens the popup menu.
    if (hwnd_) PostMessageA(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd_), MAKELPARAM(x, y));
}

LRESULT SmartWindow::OnTrayMessage(WPARAM, LPARAM) { return 0; }
void SmartWindow::OnDialogInit(LPCSTR, SmartDialog*) {}
void SmartWindow::PreDialogInit(LPCSTR, SmartDialog*) {}
void SmartWindow::OnDialogOk(LPCSTR, SmartDialog*) {}
void SmartWindow::PreDialogOk(LPCSTR, SmartDialog*) {}
void SmartWindow::OnDialogCancel(LPCSTR, SmartDialog*) {}
void SmartWindow::PreDialogCancel(LPCSTR, SmartDialog*) {}
