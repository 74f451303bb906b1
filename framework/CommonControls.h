#pragma once
// The common controls' library, loaded the first time something needs it: the
// image lists of the shell's icons, the hotkey and up-down controls of the
// dialogs. Loaded at start-up it would hold memory all day for menus and
// dialogs that may not be opened.
#include <windows.h>

#include <commctrl.h>

// Loads the library and registers its window classes; false without it.
bool LoadCommonControls();

int ImageListCount(HIMAGELIST list);
BOOL DrawImageListIcon(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
