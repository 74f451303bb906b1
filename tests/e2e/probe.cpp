// The end-to-end tests' eyes inside Wine: windows, texts and the clipboard as
// another program sees them, byte strings in hex so that Shift-JIS survives
// the shell. A command exits 0 when what it looks for holds, else 1;
// "wait MS COMMAND..." repeats it until it holds, "wait-not MS" until it fails.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

std::string Hex(const std::string& bytes) {
    std::string hex;
    for (unsigned char b : bytes) {
        hex += "0123456789abcdef"[b >> 4];
        hex += "0123456789abcdef"[b & 15];
    }
    return hex;
}

std::string Bytes(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

unsigned long long Number(const std::string& text) { return std::strtoull(text.c_str(), nullptr, 0); }

// A window handle "0x..." or the class of a top-level window.
HWND Target(const std::string& text) {
    if (text.rfind("0x", 0) == 0) return reinterpret_cast<HWND>(static_cast<UINT_PTR>(Number(text)));
    return FindWindowA(text.c_str(), nullptr);
}

// WM_GETTEXT reaches into another process's controls, GetWindowText does not.
bool Text(HWND window, std::string& text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return false;
    text.assign(length + 1, '\0');
    const bool read =
        SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                            SMTO_ABORTIFHUNG, 2000, &length);
    text.resize(read ? length : 0);
    return read;
}

// Notepad's edit control, or the window itself when it has none.
HWND Edit(HWND window) {
    HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr);
    return edit ? edit : window;
}

BOOL CALLBACK Add(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// One line "hwnd=0x... pid=N rect=L,T,R,B title=HEX" for each window of the
// class that is visible (or any with filter "all"), belongs to the process
// of filter "pid=N" and is none of the handles among the filters.
std::string Describe(const std::vector<HWND>& windows, const std::string& className, const Args& filters) {
    std::string lines;
    for (HWND window : windows) {
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        bool wanted =
            className == name &&
            (IsWindowVisible(window) || std::find(filters.begin(), filters.end(), "all") != filters.end());
        for (const auto& filter : filters) {
            if (filter.rfind("pid=", 0) == 0)
                wanted = wanted && Number(filter.substr(4)) == pid;
            else
                wanted = wanted && Target(filter) != window;
        }
        RECT r{};
        std::string title;
        if (!wanted || !GetWindowRect(window, &r) || !Text(window, title)) continue;
        char line[100];
        std::snprintf(line, sizeof line, "hwnd=%#llx pid=%lu rect=%ld,%ld,%ld,%ld title=",
                      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)), pid, r.left, r.top,
                      r.right, r.bottom);
        lines += line + Hex(title) + "\n";
    }
    return lines;
}

// Another program may hold the clipboard open for an instant.
bool OpenClipboardPatiently() {
    for (int attempt = 0; !OpenClipboard(nullptr); ++attempt) {
        if (attempt == 50) return false;
        Sleep(10);
    }
    return true;
}

bool ReadClipboard(std::string& text) {
    if (!OpenClipboardPatiently()) return false;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (bytes) text.assign(bytes, strnlen(bytes, GlobalSize(data)));
    GlobalUnlock(data);
    CloseClipboard();
    return bytes;
}

bool WriteClipboard(const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory || !OpenClipboardPatiently()) return false;
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    EmptyClipboard();
    const bool set = SetClipboardData(CF_TEXT, memory);
    if (!set) GlobalFree(memory);
    CloseClipboard();
    return set;
}

// A window that appends the virtual key of each key-down it gets to its title.
LRESULT CALLBACK RecordKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        char key[16];
        std::snprintf(key, sizeof key, "%#x ", static_cast<unsigned>(wParam));
        std::string title;
        Text(window, title);
        SetWindowTextA(window, (title + key).c_str());
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RunRecorder() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordKey;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "KwibraKeyRecorder";
    RegisterClassA(&windowClass);
    CreateWindowA(windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 300, 300, 200, 120, nullptr, nullptr,
                  windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return true;
}

// Runs one command; what it prints goes to out.
bool Run(const Args& a, std::string& out) {
    const std::string& command = a.at(0);
    std::string text;
    std::vector<HWND> windows;
    if (command == "windows") {  // CLASS FILTER...
        EnumWindows(Add, reinterpret_cast<LPARAM>(&windows));
        out = Describe(windows, a.at(1), Args(a.begin() + 2, a.end()));
        return !out.empty();
    }
    if (command == "children") {  // PARENT CLASS FILTER...
        EnumChildWindows(Target(a.at(1)), Add, reinterpret_cast<LPARAM>(&windows));
        out = Describe(windows, a.at(2), Args(a.begin() + 3, a.end()));
        return !out.empty();
    }
    if (command == "foreground") return GetForegroundWindow() == Target(a.at(1));
    if (command == "visible") return IsWindowVisible(Target(a.at(1)));
    if (command == "text") {  // TARGET [HEX]: holds when it shows HEX
        const bool read = Text(Edit(Target(a.at(1))), text);
        out = Hex(text) + "\n";
        return read && (a.size() < 3 || text == Bytes(a[2]));
    }
    if (command == "set-text") {
        text = Bytes(a.at(2));
        return SendMessageTimeoutA(Edit(Target(a[1])), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                   SMTO_ABORTIFHUNG, 2000, nullptr);
    }
    if (command == "clipboard") {  // [HEX]: holds when it holds HEX
        const bool read = ReadClipboard(text);
        out = Hex(text) + "\n";
        return read && (a.size() < 2 || text == Bytes(a[1]));
    }
    if (command == "set-clipboard") return WriteClipboard(Bytes(a.at(1)));
    if (command == "post")  // TARGET MESSAGE WPARAM LPARAM
        return PostMessageA(Target(a.at(1)), static_cast<UINT>(Number(a.at(2))), Number(a.at(3)),
                            Number(a.at(4)));
    if (command == "close") {  // a notepad, without its question about unsaved changes
        PostMessageA(Edit(Target(a.at(1))), EM_SETMODIFY, FALSE, 0);
        return PostMessageA(Target(a[1]), WM_CLOSE, 0, 0);
    }
    if (command == "recorder") return RunRecorder();
    throw std::invalid_argument(command);
}

}  // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // lines end with LF for the shell
    Args args(argv + 1, argv + argc);
    try {
        const bool wanted = args.at(0) != "wait-not";
        ULONGLONG end = GetTickCount64();
        if (args[0] == "wait" || !wanted) {
            end += Number(args.at(1));
            args.erase(args.begin(), args.begin() + 2);
        }
        std::string out;
        bool held;
        while (!(held = Run(args, out) == wanted) && GetTickCount64() < end) Sleep(5);
        std::fputs(out.c_str(), stdout);
        return held ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "probe: bad command line at %s\n", e.what());
        return 2;
    }
}
