#pragma once

#include <windows.h>

// Name of the default window class, also the default application title.
extern const char DefaultClassName[];

// Fills the class that framework windows use unless the application changes it.
void FillDefaultWindowClass(WNDCLASSA* windowClass);

// Registers the class; on success its name becomes the class that Create
// uses by default. Returns 0 on failure.
ATOM RegisterWindowClass(const WNDCLASSA* windowClass);

// The name remembered by the last successful RegisterWindowClass, or null.
const char* RegisteredClassName();
void FreeRegisteredClassName();
