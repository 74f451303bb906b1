#include "CommonWindowProc.h"

#include "SmartDialog.h"
#include "SmartWindow.h"
#include "WindowRegistry.h"

namespace {

// The creation parameter, when it is a registered window object that is not
// bound to another window already.
SmartWindow* CreationObject(HWND window, LPARAM lParam) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (!create || !create->lpCreateParams) return nullptr;
    for (RegistryNode* node = WindowRegistry::First(); node; node = node->next) {
        SmartWindow* object = node->window;
        if (static_cast<void*>(object) == create->lpCreateParams)
            return !object->IsBound() || object->hwnd() == window ? object : nullptr;
    }
    return nullptr;
}

bool AwaitsDialogWindow(const SmartWindow* window) {
    return !window->IsBound() && window->kind() == WindowKind::Dialog;
}

// The dialog object being shown: the one inside ShowModal if there is one,
// else the first unbound dialog object in creation order.
RegistryNode* FindDialogBeingShown() {
    for (RegistryNode* node = WindowRegistry::First(); node; node = node->next) {
        const auto* dialog = dynamic_cast<const SmartDialog*>(node->window);
        if (AwaitsDialogWindow(node->window) && dialog && dialog->IsShowing()) return node;
    }
    for (RegistryNode* node = WindowRegistry::First(); node; node = node->next) {
        if (AwaitsDialogWindow(node->window)) return node;
    }
    return nullptr;
}

}  // namespace

LRESULT CALLBACK CommonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        SmartWindow* object = nullptr;
        if (message == WM_CREATE) {
            object = CreationObject(window, lParam);
            if (object) object->hwnd_ = window;
        } else {
            object = FindWindowObject(window);
        }
        if (object) return object->Dispatch(message, wParam, lParam);
        if (message != WM_INITDIALOG) return DefWindowProcA(window, message, wParam, lParam);

        RegistryNode* node = FindDialogBeingShown();
        if (!node) return 0;
        node->window->hwnd_ = window;
        BindDialogControls(node);
        return node->window->Dispatch(WM_INITDIALOG, wParam, lParam);
    } catch (...) {
        return 0;  // nothing may leave a window procedure
    }
}

INT_PTR CALLBACK CommonDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG && !FindWindowObject(window)) return FALSE;
    return CommonWindowProc(window, message, wParam, lParam);
}
