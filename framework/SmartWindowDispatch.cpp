// Decoding of every message into its virtual handler.
#include "SmartApplication.h"
#include "SmartWindow.h"
#include "WindowClass.h"

namespace {

// Coordinates in lParam are signed 16-bit values.
int LowX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }

int HighY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

}  // namespace

LRESULT SmartWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    currentMessage_ = message;
    currentWParam_ = wParam;
    currentLParam_ = lParam;
    LRESULT result = 0;
    switch (message) {
        case WM_DRAWITEM:
            DispatchDrawItem(wParam, lParam);
            break;
        case WM_ACTIVATE:
            DispatchActivate(wParam, lParam);
            break;
        case WM_PAINT:
            OnPaint();
            break;
        case WM_CREATE:
            result = OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
            break;
        case WM_SIZE:
            OnSize(wParam, LowX(lParam), HighY(lParam));
            break;
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam), LowX(lParam), HighY(lParam));
            break;
        case WM_SYSCOMMAND:
            OnSysCommand(wParam, LOWORD(lParam), HIWORD(lParam));
            break;
        case WM_TIMER:
            OnTimer(wParam);
            break;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            break;
        case WM_HSCROLL:
            OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            break;
        case WM_VSCROLL:
            OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            break;
        case WM_CLOSE:
            OnClose();
            break;
        case WM_DESTROY:
            DispatchDestroy();
            break;
        case WM_NOTIFY:
            OnNotify(wParam, reinterpret_cast<NMHDR*>(lParam));
            break;
        case WM_COMMAND:
            DispatchCommand(wParam, lParam);
            break;
        case TrayCallbackMessage:
            result = DispatchTrayCallback(wParam, lParam);
            break;
        default:
            if (!DispatchMouse(message, wParam, lParam) && !DispatchKey(message, wParam, lParam) &&
                !DispatchMenu(message, wParam, lParam))
                result = DefaultProc(message, wParam, lParam);
            break;
    }
    AfterMessage(message, wParam, lParam);
    return result;
}

bool SmartWindow::DispatchMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = LowX(lParam);
    const int y = HighY(lParam);
    switch (message) {
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, x, y);
            return true;
        case WM_LBUTTONDOWN:
            OnLButtonDown(wParam, x, y);
            return true;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(wParam, x, y);
            return true;
        case WM_LBUTTONUP:
            OnLButtonUp(wParam, x, y);
            return true;
        case WM_RBUTTONDOWN:
            OnRButtonDown(wParam, x, y);
            return true;
        case WM_RBUTTONUP:
            OnRButtonUp(wParam, x, y);
            return true;
        default:
            return false;
    }
}

bool SmartWindow::DispatchKey(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            OnKeyDown(wParam, lParam);
            return true;
        case WM_CHAR:
            OnChar(wParam, lParam);
            return true;
        case WM_KEYUP:
            OnKeyUp(wParam, lParam);
            return true;
        case WM_SYSKEYDOWN:
            OnSysKeyDown(wParam, lParam);
            return true;
        case WM_SYSKEYUP:
            OnSysKeyUp(wParam, lParam);
            return true;
        default:
            return false;
    }
}

bool SmartWindow::DispatchMenu(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITMENU:
            OnInitMenu(reinterpret_cast<HMENU>(wParam));
            return true;
        case WM_INITMENUPOPUP:
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
            return true;
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return true;
        default:
            return false;
    }
}

void SmartWindow::DispatchCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    const HWND control = reinterpret_cast<HWND>(lParam);
    OnCommandId(id);
    if (control) {
        SmartWindow* object = FindWindowObject(control);
        if (code == 0)
            OnControlClicked(id, object);
        else
            OnControlNotify(code, id, object);
    }
    OnCommand(code, id, control);
}

void SmartWindow::DispatchDrawItem(WPARAM wParam, LPARAM lParam) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (wParam != 0) {
        SmartWindow* child = FindWindowObject(GetDlgItem(hwnd_, static_cast<int>(wParam)));
        if (child && child != this) {
            // The child handles this message now; its defaults must not
            // forward whatever it dispatched last.
            const UINT savedMessage = child->currentMessage_;
            const WPARAM savedWParam = child->currentWParam_;
            const LPARAM savedLParam = child->currentLParam_;
            child->currentMessage_ = WM_DRAWITEM;
            child->currentWParam_ = wParam;
            child->currentLParam_ = lParam;
            child->OnDrawItem(item);
            child->currentMessage_ = savedMessage;
            child->currentWParam_ = savedWParam;
            child->currentLParam_ = savedLParam;
        }
    }
    OnDrawItem(item);
}

void SmartWindow::DispatchActivate(WPARAM wParam, LPARAM lParam) {
    const UINT state = LOWORD(wParam);
    if (state != WA_INACTIVE || kind_ == WindowKind::Plain) SetActiveWindowObject(this);
    OnActivate(state, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
}

void SmartWindow::DispatchDestroy() {
    OnDestroy();
    if (ActiveWindow() == this) SetActiveWindowObject(nullptr);
    DestroyLoadedMenu();
    UnbindChildControls(this);
    if (hwnd_ && hwnd_ == MainWindowHandle()) {
        PostQuitMessage(0);
        FreeRegisteredClassName();
    }
    // A subclassed window gets its own procedure back for its last messages.
    DetachWindow();
    if (NoWindowBound()) {
        if (SmartApplication* app = GetApp()) app->OnLastWindowDestroyed();
    }
}

LRESULT SmartWindow::DispatchTrayCallback(WPARAM wParam, LPARAM lParam) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const LRESULT result = OnTrayMessage(wParam, lParam);
    switch (lParam) {
        case WM_MOUSEMOVE:
            OnTrayMouseMove(wParam, cursor.x, cursor.y);
            break;
        case WM_LBUTTONDOWN:
            SetForegroundWindow(hwnd_);
            OnTrayLButtonDown(wParam, cursor.x, cursor.y);
            break;
        case WM_LBUTTONUP:
            OnTrayLButtonUp(wParam, cursor.x, cursor.y);
            break;
        case WM_LBUTTONDBLCLK:
            OnTrayLButtonDblClk(wParam, cursor.x, cursor.y);
            break;
        case WM_RBUTTONDOWN:
            SetForegroundWindow(hwnd_);
            OnTrayRButtonDown(wParam, cursor.x, cursor.y);
            break;
        case WM_RBUTTONUP:
            OnTrayRButtonUp(wParam, cursor.x, cursor.y);
            break;
        default:
            break;
    }
    return result;
}
