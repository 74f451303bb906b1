// The end-to-end tests' eyes inside Wine, bytes in hex so that Shift-JIS survives
// the shell. A command exits 0 when what it looks for holds; "wait MS COMMAND..."
// repeats it until it holds, "wait-not MS COMMAND..." until it does not.
#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

std::string Hex(const std::string& bytes) {
    std::string hex;
    for (unsigned char b : bytes) hex += {"0123456789abcdef"[b >> 4], "0123456789abcdef"[b & 15]};
    return hex;
}

std::string Bytes(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), 0, 16));
    return bytes;
}

std::string Name(HWND window) { return std::to_string(reinterpret_cast<UINT_PTR>(window)); }
HWND Handle(const std::string& n) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(n))); }

// WM_GETTEXT reaches into another process's controls, GetWindowText does not.
// Wide: the text in UTF-16LE bytes.
bool Text(HWND window, std::string& text, bool wide = false) {
    const auto send = wide ? SendMessageTimeoutW : SendMessageTimeoutA;
    DWORD_PTR length = 0;
    if (!send(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return false;
    const std::size_t unit = wide ? 2 : 1;
    text.assign((length + 1) * unit, '\0');
    const bool read = send(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 2000, &length);
    text.resize(read ? length * unit : 0);
    return read;
}

// windows PARENT CLASS [all] [HWND...]: "hwnd=N rect=WxH+X+Y title=HEX" for each child
// of PARENT (a handle, 0 for top-level windows, or a class), visible unless "all", but the handles.
bool Windows(const Args& a, std::string& out) {
    const std::string& p = a.at(1);
    HWND parent = p.find_first_not_of("0123456789") == p.npos ? Handle(p) : FindWindowA(p.c_str(), nullptr);
    const bool all = std::find(a.begin(), a.end(), "all") != a.end();
    for (HWND w = nullptr; (w = FindWindowExA(parent, w, a.at(2).c_str(), nullptr));) {
        RECT r{};
        std::string title;
        if (std::find(a.begin(), a.end(), Name(w)) != a.end() || !(all || IsWindowVisible(w)) ||
            !GetWindowRect(w, &r) || !Text(w, title))
            continue;
        out += "hwnd=" + Name(w) + " rect=" + std::to_string(r.right - r.left) + "x" +
               std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) + "+" + std::to_string(r.top) +
               " title=" + Hex(title) + "\n";
    }
    return !out.empty();
}

// CF_TEXT (or, wide, CF_UNICODETEXT in UTF-16LE bytes), read or written; "wait"
// tries again while another program holds it open.
bool Clipboard(std::string& text, bool write, bool wide = false) {
    if (!OpenClipboard(nullptr)) return false;
    const UINT format = wide ? CF_UNICODETEXT : CF_TEXT;
    const std::size_t unit = wide ? 2 : 1;
    HANDLE data =
        write ? GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + unit) : GetClipboardData(format);
    char* bytes = static_cast<char*>(GlobalLock(data));
    if (bytes && write) std::copy(text.begin(), text.end(), bytes);
    if (bytes && !write) {
        std::size_t size = 0;
        while (size + unit <= GlobalSize(data) &&
               std::any_of(bytes + size, bytes + size + unit, [](char c) { return c; }))
            size += unit;
        text.assign(bytes, size);
    }
    GlobalUnlock(data);
    const bool done = bytes && (!write || (EmptyClipboard() && SetClipboardData(format, data)));
    if (write && !done) GlobalFree(data);  // once set, the clipboard owns it
    CloseClipboard();
    return done;
}

// The recorder window appends the virtual key of each key-down to its title.
LRESULT CALLBACK RecordKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::string title;
    if (message == WM_KEYDOWN && Text(window, title))
        SetWindowTextA(window, (title + std::to_string(wParam) + " ").c_str());
    return DefWindowProcA(window, message, wParam, lParam);
}

bool Run(const Args& a, std::string& out) {
    const std::string& command = a.at(0);
    std::string text;
    out.clear();
    if (command == "windows") return Windows(a, out);
    if (command == "foreground") return GetForegroundWindow() == Handle(a.at(1));
    if (command == "visible") return IsWindowVisible(Handle(a.at(1)));
    const bool wide = command.size() > 2 && command.substr(command.size() - 2) == "-w";  // UTF-16LE bytes
    if (command == "text" || command == "text-w") {  // HWND|clipboard [HEX]: holds when it shows HEX
        const bool read =
            a.at(1) == "clipboard" ? Clipboard(text, false, wide) : Text(Handle(a[1]), text, wide);
        out = Hex(text) + "\n";
        return read && (a.size() < 3 || text == Bytes(a[2]));
    }
    if (command == "set-text" || command == "set-text-w") {  // HWND|clipboard HEX
        text = Bytes(a.at(2)) + std::string(wide ? 2 : 1, '\0');
        if (a[1] == "clipboard") return Clipboard(text.erase(text.size() - (wide ? 2 : 1)), true, wide);
        const auto send = wide ? SendMessageTimeoutW : SendMessageTimeoutA;
        return send(Handle(a[1]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                    2000, nullptr);
    }
    if (command == "post")  // HWND MESSAGE WPARAM LPARAM
        return PostMessageA(Handle(a.at(1)), std::stoul(a.at(2), 0, 0), std::stoul(a.at(3)),
                            std::stol(a.at(4)));
    if (command == "recorder" || command == "form") {  // [CLASS]: of a class of its own, or "ProbeForm"
        WNDCLASSA own{};
        own.lpfnWndProc = RecordKey;
        own.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        own.lpszClassName = a.size() > 1 ? a[1].c_str() : command == "form" ? "ProbeForm" : nullptr;
        if (own.lpszClassName) RegisterClassA(&own);
        const int left = command == "form" ? 800 : 300;  // beside notepad
        HWND window =
            CreateWindowA(own.lpszClassName ? own.lpszClassName : "Static", "", WS_POPUP | WS_VISIBLE, left,
                          300, 200, 120, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordKey));
        // A form: two fields, one above the other.
        for (int top : {10, 60})
            if (command == "form")
                CreateWindowA("Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, top, 180, 30, window,
                              nullptr, nullptr, nullptr);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return true;
    }
    throw std::invalid_argument(command);
}

}  // namespace

int main(int argc, char** argv) {
    Args args(argv + 1, argv + argc);
    const bool wanted = args.at(0) != "wait-not";
    const bool waits = args[0] == "wait" || !wanted;
    const ULONGLONG end = GetTickCount64() + (waits ? std::stoul(args.at(1)) : 0);
    if (waits) args.erase(args.begin(), args.begin() + 2);
    std::string out;
    bool held;
    while (!(held = Run(args, out) == wanted) && GetTickCount64() < end) Sleep(5);
    DWORD written = 0;  // not through the C runtime, which would end lines with CR LF
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
    return held ? 0 : 1;
}
