// The floor of the menu benchmarks: the least a resident program does for a
// phrase, in kwibra's order of events (a simpler order loses pastes under Wine):
//   menufloor LINES-FILE
// Ctrl+Alt+A posts a message; from it the foreground window is recorded and
// a plain menu of the file's lines ("---" a separator) pops up at the cursor;
// when the menu closes the recorded window comes back to the front; the
// chosen line goes onto the clipboard and a posted message sends Ctrl+V once
// that window is in front again.
// Exits with 1 when the file cannot be read or the hotkey is taken.
#include <windows.h>

#include <array>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/Target.h"

namespace {

constexpr UINT ShowMenuMessage = WM_APP + 1;
constexpr UINT PasteMessage = WM_APP + 2;
constexpr int PhraseMenuHotkey = 2;
constexpr UINT FirstItemId = 1;

std::vector<std::string> lines;
HMENU menu = nullptr;
HWND savedForeground = nullptr;

// The command line is the file's name, quoted or not.
std::string Unquoted(std::string text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    return text;
}

bool ReadLines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return !lines.empty();
}

// Built once at start-up, as kwibra builds its menus when it loads the list.
HMENU BuildMenu() {
    HMENU popup = CreatePopupMenu();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "---")
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(popup, MF_STRING, FirstItemId + i, lines[i].c_str());
    }
    return popup;
}

// Without being the foreground window, the menu would not close on a click elsewhere.
void ShowMenu(HWND window) {
    savedForeground = GetForegroundWindow();
    POINT cursor{};
    GetCursorPos(&cursor);
    SetForegroundWindow(window);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
}

// Under Wine another process holds the clipboard for an instant after every
// change, so opening is tried a few times, as kwibra does.
bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt > 0) Sleep(10);
        if (OpenClipboard(owner)) return true;
    }
    return false;
}

bool WriteClipboard(HWND owner, const std::string& text) {
    if (!OpenClipboardPatiently(owner)) return false;
    EmptyClipboard();
    bool written = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (void* bytes = GlobalLock(memory)) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(memory);
            written = SetClipboardData(CF_TEXT, memory) != nullptr;
        }
        if (!written) GlobalFree(memory);
    }
    CloseClipboard();
    return written;
}

void Deliver(HWND window, UINT id) {
    if (id < FirstItemId || id - FirstItemId >= lines.size()) return;
    if (WriteClipboard(window, lines[id - FirstItemId])) PostMessageA(window, PasteMessage, 0, 0);
}

// Under Wine the foreground comes back through X a moment after the menu has
// closed, and keys sent before that are lost (about one paste in thirty
// here). kwibra is spared the wait by putting the focus back into the target
// itself; the floor only waits, at most a second.
void WaitForForeground(HWND window) {
    const DWORD start = GetTickCount();
    while (window && GetForegroundWindow() != window && GetTickCount() - start < 1000) Sleep(1);
}

// The same key events as kwibra sends on NT systems.
void SendPasteKeys() {
    WaitForForeground(savedForeground);
    std::vector<INPUT> keys = PasteKeyEvents(PasteMethod{}, true);
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_HOTKEY:
            PostMessageA(window, ShowMenuMessage, 0, 0);
            return 0;
        case ShowMenuMessage:
            ShowMenu(window);
            return 0;
        case WM_MENUSELECT:
            if (HIWORD(wParam) == 0xFFFF && lParam == 0 && savedForeground)
                SetForegroundWindow(savedForeground);
            return 0;
        case WM_COMMAND:
            Deliver(window, LOWORD(wParam));
            return 0;
        case PasteMessage:
            SendPasteKeys();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateFloorWindow(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "KwibraMenuFloor";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "menufloor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (!ReadLines(Unquoted(commandLine))) return 1;
    menu = BuildMenu();
    HWND window = CreateFloorWindow(instance);
    if (!window || !RegisterHotKey(window, PhraseMenuHotkey, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'A'))
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyMenu(menu);
    return 0;
}
