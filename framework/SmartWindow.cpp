#include "SmartWindow.h"

#include "SmartApplication.h"
#include "WindowClass.h"

SmartWindow::SmartWindow() : previousProc_(DefWindowProcA) { node_ = WindowRegistry::Append(this); }

SmartWindow::~SmartWindow() {
    if (ActiveWindow() == this) SetActiveWindowObject(nullptr);
    DestroyLoadedMenu();
    WindowRegistry::Remove(node_);
}

LRESULT SmartWindow::ForwardCurrent() { return DefaultProc(currentMessage_, currentWParam_, currentLParam_); }

bool SmartWindow::IsSubclassed() const { return previousProc_ != DefWindowProcA; }

void SmartWindow::DetachWindow() {
    if (hwnd_ && IsSubclassed() && IsWindow(hwnd_))
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
    previousProc_ = DefWindowProcA;
    hwnd_ = nullptr;
}

void SmartWindow::DestroyLoadedMenu() {
    if (loadedMenu_) DestroyMenu(loadedMenu_);
    loadedMenu_ = nullptr;
    popupMenu_ = nullptr;
}

bool SmartWindow::Create(const char* windowName, const char* className, HWND parent, DWORD style,
                         DWORD exStyle, int x, int y, int width, int height, HMENU menuOrId) {
    if (hwnd_) return false;
    const SmartApplication* app = GetApp();
    CREATESTRUCTA create{};
    create.lpCreateParams = this;
    create.hInstance = app ? app->instance() : nullptr;
    create.hMenu = menuOrId;
    id_ = reinterpret_cast<UINT_PTR>(menuOrId);
    create.hwndParent = parent;
    create.cy = height;
    create.cx = width;
    create.y = y;
    create.x = x;
    create.style = static_cast<LONG>(style);
    create.lpszName = windowName ? windowName : (app ? app->title() : nullptr);
    create.lpszClass = className ? className : RegisteredClassName();
    create.dwExStyle = exStyle;

    PreCreateWindow(&create);
    id_ = reinterpret_cast<UINT_PTR>(create.hMenu);
    if (!create.lpszClass) return false;

    hwnd_ =
        CreateWindowExA(create.dwExStyle, create.lpszClass, create.lpszName, static_cast<DWORD>(create.style),
                        create.x, create.y, create.cx, create.cy, create.hwndParent, create.hMenu,
                        create.hInstance, static_cast<SmartWindow*>(this));
    return hwnd_ != nullptr;
}

void SmartWindow::Show(int showCommand) {
    if (hwnd_) ShowWindow(hwnd_, showCommand);
}

void SmartWindow::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT SmartWindow::SendMsg(UINT message, WPARAM wParam, LPARAM lParam) {
    return hwnd_ ? SendMessageA(hwnd_, message, wParam, lParam) : 0;
}

int SmartWindow::ShowMessage(const char* text, const char* caption, UINT type) {
    if (!caption) {
        const SmartApplication* app = GetApp();
        caption = app ? app->title() : nullptr;
    }
    return MessageBoxA(hwnd_, text, caption, type);
}

DWORD SmartWindow::SetStyle(DWORD style) {
    if (!hwnd_) return 0;
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    const LONG_PTR previous = SetWindowLongPtrA(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(style));
    MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    UpdateWindow(hwnd_);
    return static_cast<DWORD>(previous);
}

bool SmartWindow::LoadPopupMenu(LPCSTR menuName, UINT defaultItem) {
    DestroyLoadedMenu();
    const SmartApplication* app = GetApp();
    loadedMenu_ = LoadMenuA(app ? app->instance() : nullptr, menuName);
    if (!loadedMenu_) return false;
    popupMenu_ = GetSubMenu(loadedMenu_, 0);
    if (popupMenu_) SetMenuDefaultItem(popupMenu_, defaultItem, FALSE);
    return true;
}
