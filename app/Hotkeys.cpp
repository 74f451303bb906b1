// Registration of the HotkeyList's bindings as global hotkeys of the main
// window. Failures (a key another program holds) are silent by design.
#include "app/PhraseApp.h"
#include "resource.h"

void PhraseApp::RegisterHotkeys(const HotkeyBinding* first)
{
    for (const HotkeyBinding* binding = first; binding; binding = binding->next.get()) {
        if (binding->virtualKey != 0)
            RegisterHotKey(hwnd(), binding->id, binding->modifiers, binding->virtualKey);
    }
}

void PhraseApp::UnregisterHotkeys(const HotkeyBinding* first)
{
    for (const HotkeyBinding* binding = first; binding; binding = binding->next.get())
        UnregisterHotKey(hwnd(), binding->id);
}

void PhraseApp::RegisterTildeHotkey(bool on)
{
    if (on)
        RegisterHotKey(hwnd(), HOTKEY_TILDE, MOD_SHIFT, '0');
    else
        UnregisterHotKey(hwnd(), HOTKEY_TILDE);
}
