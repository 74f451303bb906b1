#include "WindowClass.h"

#include <optional>
#include <string>

#include "CommonWindowProc.h"
#include "SmartApplication.h"

const char DefaultClassName[] = "VarnokSmartClass";

namespace {
// A class registered by atom (MAKEINTATOM) is remembered as that atom.
std::optional<std::string> registeredClassName;
LPCSTR registeredClassAtom = nullptr;
}  // namespace

void FillDefaultWindowClass(WNDCLASSA* windowClass) {
    SmartApplication* app = GetApp();
    *windowClass = WNDCLASSA{};
    windowClass->style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass->lpfnWndProc = CommonWindowProc;
    windowClass->hInstance = app ? app->instance() : nullptr;
    windowClass->hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass->hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass->hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass->lpszClassName = DefaultClassName;
}

ATOM RegisterWindowClass(const WNDCLASSA* windowClass) {
    const ATOM atom = RegisterClassA(windowClass);
    if (atom != 0 && windowClass->lpszClassName) {
        FreeRegisteredClassName();
        if (IS_INTRESOURCE(windowClass->lpszClassName))
            registeredClassAtom = windowClass->lpszClassName;
        else
            registeredClassName = std::string(windowClass->lpszClassName);
    }
    return atom;
}

const char* RegisteredClassName() {
    return registeredClassName ? registeredClassName->c_str() : registeredClassAtom;
}

void FreeRegisteredClassName() {
    registeredClassName.reset();
    registeredClassAtom = nullptr;
}
