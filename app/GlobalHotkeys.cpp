#include "app/GlobalHotkeys.h"

#include <algorithm>

#include "resource.h"

namespace {

// A key held past the repeat delay would send the hotkey again and again;
// systems older than Windows 7 refuse the flag that stops it.
bool RegisterOnce(HWND window, const HotkeyBinding& binding) {
    return RegisterHotKey(window, binding.id, binding.modifiers | MOD_NOREPEAT, binding.virtualKey) ||
           RegisterHotKey(window, binding.id, binding.modifiers, binding.virtualKey);
}

}  // namespace

std::vector<const HotkeyBinding*> GlobalHotkeys::Register(HWND window, const HotkeyBinding* first) {
    std::vector<const HotkeyBinding*> bindings, refused;
    for (const HotkeyBinding* binding = first; binding; binding = binding->next.get())
        if (binding->virtualKey != 0) bindings.push_back(binding);
    std::stable_sort(bindings.begin(), bindings.end(), [](auto a, auto b) { return a->id < b->id; });
    for (const HotkeyBinding* binding : bindings)
        if (!RegisterOnce(window, *binding)) refused.push_back(binding);
    registered_ = true;
    return refused;
}

void GlobalHotkeys::Unregister(HWND window, const HotkeyBinding* first) {
    for (const HotkeyBinding* binding = first; binding; binding = binding->next.get())
        UnregisterHotKey(window, binding->id);
    registered_ = false;
}

bool GlobalHotkeys::RegisterTilde(HWND window, bool on) {
    if (on) return RegisterHotKey(window, HOTKEY_TILDE, MOD_SHIFT, '0') != FALSE;
    UnregisterHotKey(window, HOTKEY_TILDE);
    return true;
}

void GlobalHotkeys::ListenToKeys(HWND window, bool on) {
    RAWINPUTDEVICE keyboard{1, 6, on ? static_cast<DWORD>(RIDEV_INPUTSINK) : static_cast<DWORD>(RIDEV_REMOVE),
                            on ? window : nullptr};
    const bool done = RegisterRawInputDevices(&keyboard, 1, sizeof keyboard) != FALSE;
    listening_ = on && done;
}

bool GlobalHotkeys::IsNewPress(HWND window, UINT virtualKey, DWORD time) {
    if (!listening_) return true;
    MSG input;
    while (PeekMessageA(&input, window, WM_INPUT, WM_INPUT, PM_REMOVE)) DispatchMessageA(&input);
    return presses_.TakePress(static_cast<std::uint8_t>(virtualKey), time);
}

void GlobalHotkeys::OnRawInput(LPARAM input) {
    RAWINPUT raw{};
    UINT size = sizeof raw;
    if (GetRawInputData(reinterpret_cast<HRAWINPUT>(input), RID_INPUT, &raw, &size, sizeof(RAWINPUTHEADER)) ==
            static_cast<UINT>(-1) ||
        raw.header.dwType != RIM_TYPEKEYBOARD || raw.data.keyboard.VKey == 0 || raw.data.keyboard.VKey > 0xFE)
        return;
    const bool down = (raw.data.keyboard.Flags & RI_KEY_BREAK) == 0;
    presses_.Raw(static_cast<std::uint8_t>(raw.data.keyboard.VKey), down,
                 static_cast<DWORD>(GetMessageTime()));
}
