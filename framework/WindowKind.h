#pragma once

// What a window object stands for; decides how it is bound to a native window.
enum class WindowKind : int {
    Plain = -1,       // an ordinary window, bound on WM_CREATE
    Dialog = 1,       // a dialog, bound on its WM_INITDIALOG
    Control = 2,      // a dialog control, bound by identifier with its dialog
    Subclassed = 10,  // a subclassing object bound explicitly
};
