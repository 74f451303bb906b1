#pragma once
// Strings of the program's string table for the settings dialog.
#include <windows.h>

#include <string>

// The whole string in the ANSI code page (no length limit); empty when the
// table has none.
std::string LoadDialogString(UINT id);
// The module the dialog's resources come from: the application's instance.
HINSTANCE DialogInstance();
