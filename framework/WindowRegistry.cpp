#include "WindowRegistry.h"

#include <new>

#include "SmartControl.h"
#include "SmartWindow.h"

namespace {
RegistryNode* firstNode = nullptr;
RegistryNode* lastNode = nullptr;
SmartWindow* activeWindow = nullptr;
HWND mainWindowHandle = nullptr;

// The first object at or after the node bound to the window with that kind.
RegistryNode* FindBoundNode(RegistryNode* start, HWND window, WindowKind kind) {
    for (RegistryNode* node = start; node; node = node->next) {
        if (node->window->hwnd() == window && node->window->kind() == kind) return node;
    }
    return nullptr;
}

SmartControl* FindUnboundControl(RegistryNode* start, UINT_PTR id) {
    for (RegistryNode* node = start; node; node = node->next) {
        SmartWindow* window = node->window;
        if (window->IsBound() || window->kind() != WindowKind::Control || window->id() != id) continue;
        if (auto* control = dynamic_cast<SmartControl*>(window)) return control;
    }
    return nullptr;
}

int TryAccelerator(SmartWindow* window, MSG* message) {
    if (!window || !window->accelerator() || !window->IsBound()) return 0;
    return TranslateAcceleratorA(window->hwnd(), window->accelerator(), message);
}

}  // namespace

RegistryNode* WindowRegistry::First() { return firstNode; }

RegistryNode* WindowRegistry::Last() { return lastNode; }

RegistryNode* WindowRegistry::Append(SmartWindow* window) {
    auto* node = new (std::nothrow) RegistryNode;
    if (!node) return nullptr;
    node->window = window;
    node->previous = lastNode;
    if (lastNode)
        lastNode->next = node;
    else
        firstNode = node;
    lastNode = node;
    return node;
}

void WindowRegistry::Remove(RegistryNode* node) {
    if (!node) return;
    if (node->previous)
        node->previous->next = node->next;
    else
        firstNode = node->next;
    if (node->next)
        node->next->previous = node->previous;
    else
        lastNode = node->previous;
    delete node;
}

SmartWindow* FindWindowObject(HWND window) {
    if (!window) return nullptr;
    for (RegistryNode* node = firstNode; node; node = node->next) {
        if (node->window->hwnd() == window) return node->window;
    }
    return nullptr;
}

void BindDialogControls(RegistryNode* dialogNode) {
    if (!dialogNode) return;
    SmartWindow* dialog = dialogNode->window;
    for (HWND child = GetWindow(dialog->hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id == -1 || id == 0xFFFF) continue;  // text without an identifier (DIALOGEX or DIALOG template)
        if (SmartControl* control = FindUnboundControl(dialogNode, static_cast<UINT_PTR>(id)))
            control->BindById(child, dialog);
    }
}

void UnbindChildControls(SmartWindow* window) {
    if (!window || !window->IsBound()) return;
    const HWND parent = window->hwnd();
    SmartWindow* registered = FindWindowObject(parent);
    RegistryNode* start = registered && registered->node() ? registered->node() : firstNode;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (RegistryNode* node = FindBoundNode(start, child, WindowKind::Control))
            node->window->DetachWindow();
    }
}

void ReleaseDialogControls(SmartWindow* dialog) {
    for (RegistryNode* node = firstNode; node; node = node->next) {
        SmartWindow* window = node->window;
        if (window->kind() != WindowKind::Control || !window->IsBound()) continue;
        auto* control = dynamic_cast<SmartControl*>(window);
        if (control && control->parent() == dialog) control->Unsubclass();
    }
}

bool IsRegistered(const SmartWindow* window) {
    for (RegistryNode* node = firstNode; node; node = node->next) {
        if (node->window == window) return true;
    }
    return false;
}

bool NoWindowBound() {
    for (RegistryNode* node = firstNode; node; node = node->next) {
        if (node->window->IsBound()) return false;
    }
    return true;
}

int TranslateAccelerators(MSG* message) {
    if (const int translated = TryAccelerator(activeWindow, message)) return translated;
    for (RegistryNode* node = firstNode; node; node = node->next) {
        if (const int translated = TryAccelerator(node->window, message)) return translated;
    }
    return 0;
}

SmartWindow* ActiveWindow() { return activeWindow; }

void SetActiveWindowObject(SmartWindow* window) { activeWindow = window; }

HWND MainWindowHandle() { return mainWindowHandle; }

void SetMainWindowHandle(HWND window) { mainWindowHandle = window; }
