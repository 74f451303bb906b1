#pragma once

#include <windows.h>

class SmartWindow;

// One entry of the process-wide list of window objects, in creation order.
struct RegistryNode {
    RegistryNode* previous = nullptr;
    RegistryNode* next = nullptr;
    SmartWindow* window = nullptr;  // not owned
};

// The list itself. Every window object is in it from construction to
// destruction, bound to a native window or not.
class WindowRegistry {
  public:
    static RegistryNode* First();
    static RegistryNode* Last();
    // Appends a node for the object; null when it cannot be allocated.
    static RegistryNode* Append(SmartWindow* window);
    // Unlinks and deletes the node.
    static void Remove(RegistryNode* node);
};

// The object bound to the native window, or null (a null handle finds none).
SmartWindow* FindWindowObject(HWND window);

// Binds each child window of the dialog of that node to the first unbound
// control object at or after the node that has the child's identifier.
void BindDialogControls(RegistryNode* dialogNode);

// Control objects bound to the window's children lose their windows; their
// controls get their own window procedures back.
void UnbindChildControls(SmartWindow* window);

// Control objects whose parent is the dialog are unsubclassed and unbound.
void ReleaseDialogControls(SmartWindow* dialog);

// True while the object is in the registry (constructed, not yet destroyed).
bool IsRegistered(const SmartWindow* window);

// True when no registered object is bound to a native window.
bool NoWindowBound();

// Tries the accelerator tables of the active window first, then those of
// every bound object in creation order; non-zero when one translated.
int TranslateAccelerators(MSG* message);

// The window object whose accelerator table is tried first.
SmartWindow* ActiveWindow();
void SetActiveWindowObject(SmartWindow* window);

// The application's main window; set by the application, read here.
HWND MainWindowHandle();
void SetMainWindowHandle(HWND window);
