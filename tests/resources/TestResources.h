#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

// The test executable carries the program's resources itself.
HINSTANCE ResourceInstance();

// LoadStringA into a buffer of bufferSize characters, as the program does.
std::string LoadResourceString(UINT id, int bufferSize);

// Wide text in the system code page (Shift-JIS under the test locale).
std::string ToAnsi(std::wstring_view text);

// Registers the common control classes the settings dialog uses.
bool InitDialogControls();

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

// A hidden modeless dialog from a template of this executable.
WindowHandle CreateHiddenDialog(int templateId);

IconHandle LoadIconResource(int id, int size);
