#include "SmartSubclassWindow.h"

#include "CommonWindowProc.h"

SmartSubclassWindow::SmartSubclassWindow() {
    SetKind(WindowKind::Subclassed);
    SetPreviousProc(DefWindowProcA);
}

SmartSubclassWindow::~SmartSubclassWindow() { Unsubclass(); }

void SmartSubclassWindow::Subclass() {
    if (!IsBound() || IsSubclassed()) return;
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd(), GWLP_WNDPROC));
    if (!current || current == CommonWindowProc) return;
    SetPreviousProc(current);
    if (!SetWindowLongPtrA(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CommonWindowProc)))
        SetPreviousProc(DefWindowProcA);
}

bool SmartSubclassWindow::Subclass(HWND window) {
    if (IsBound() || !window) return false;
    BindWindow(window);
    Subclass();
    if (IsSubclassed()) return true;
    BindWindow(nullptr);
    return false;
}

void SmartSubclassWindow::Unsubclass() { DetachWindow(); }

LRESULT SmartSubclassWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(previousProc(), hwnd(), message, wParam, lParam);
}
