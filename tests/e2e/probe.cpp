// The end-to-end tests' eyes inside Wine: lists windows, reads and sets
// notepad's text, reads and writes the clipboard, posts messages and
// records keys. Byte strings are printed as hex so Shift-JIS survives the
// shell. A TARGET is a window handle "0x..." or a top-level window class.
// The exit code is 0 when the condition held, 1 when it did not, 2 on misuse.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "KeyRecorder.h"
#include "ProbeClipboard.h"
#include "ProbeText.h"
#include "ProbeWindows.h"

namespace {

using Arguments = std::vector<std::string>;

unsigned long long Number(const std::string& text)
{
    return std::strtoull(text.c_str(), nullptr, 0);
}

DWORD Milliseconds(const std::string& text)
{
    return static_cast<DWORD>(std::min<unsigned long long>(Number(text), 600000));
}

int Usage()
{
    std::fputs("usage: probe COMMAND ARGS\n"
               "  windows CLASS | children PARENT-CLASS CHILD-CLASS\n"
               "  wait-window CLASS MS shown|exists|gone [pid=N] [IGNORED-HWND...]\n"
               "  wait-hidden TARGET MS | wait-foreground TARGET MS | texts TARGET (child window texts)\n"
               "  wait-new-child PARENT-CLASS CHILD-CLASS MS [IGNORED-HWND...]\n"
               "  edit-text TARGET | wait-edit-text TARGET HEX MS | set-edit-text TARGET HEX\n"
               "  clipboard | set-clipboard HEX [FORMAT[=N]]... | empty-clipboard | has-format NAME\n"
               "  post TARGET MSG WPARAM LPARAM | discard-close TARGET | foreground\n"
               "  recorder FILE X Y\n",
               stderr);
    return 2;
}

void Print(const std::vector<WindowFacts>& windows)
{
    for (const auto& facts : windows)
        std::printf("%s\n", DescribeWindow(facts).c_str());
}

int ListWindows(const Arguments& args)
{
    Print(TopLevelWindows(args[1], false));
    return 0;
}

int ListChildren(const Arguments& args)
{
    Print(ChildWindows(args[1], args[2]));
    return 0;
}

// Whether the filter arguments from index 4 on let the window through:
// "pid=N" keeps only that process's windows, a handle is already known.
bool Wanted(const WindowFacts& facts, const Arguments& args)
{
    for (std::size_t i = 4; i < args.size(); ++i) {
        if (args[i].rfind("pid=", 0) == 0) {
            if (Number(args[i].substr(4)) != facts.processId)
                return false;
        } else if (Number(args[i]) == reinterpret_cast<UINT_PTR>(facts.window)) {
            return false;
        }
    }
    return true;
}

std::vector<WindowFacts> NewWindows(const Arguments& args, bool visibleOnly)
{
    auto windows = TopLevelWindows(args[1], visibleOnly);
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [&](const WindowFacts& facts) { return !Wanted(facts, args); }),
                  windows.end());
    return windows;
}

int WaitWindow(const Arguments& args)
{
    const std::string mode = args.size() > 3 ? args[3] : "shown";
    if (mode != "shown" && mode != "exists" && mode != "gone")
        return Usage();
    const bool visibleOnly = mode == "shown";
    const bool wantNone = mode == "gone";
    const bool held = PollUntil(Milliseconds(args[2]),
                                [&] { return NewWindows(args, visibleOnly).empty() == wantNone; });
    Print(NewWindows(args, visibleOnly));
    return held ? 0 : 1;
}

int WaitHidden(const Arguments& args)
{
    const std::string target = args[1];
    return PollUntil(Milliseconds(args[2]),
                     [&] {
                         HWND window = FindTarget(target);
                         return !window || !IsWindowVisible(window);
                     })
               ? 0
               : 1;
}

int WaitForeground(const Arguments& args)
{
    HWND window = FindTarget(args[1]);
    return window && PollUntil(Milliseconds(args[2]), [&] { return GetForegroundWindow() == window; }) ? 0 : 1;
}

// A child of the class in the first window of the parent class that is not
// among the listed handles.
int WaitNewChild(const Arguments& args)
{
    std::vector<WindowFacts> fresh;
    const bool held = PollUntil(Milliseconds(args[3]), [&] {
        fresh = ChildWindows(args[1], args[2]);
        fresh.erase(std::remove_if(fresh.begin(), fresh.end(),
                                   [&](const WindowFacts& facts) {
                                       for (std::size_t i = 4; i < args.size(); ++i) {
                                           if (Number(args[i]) == reinterpret_cast<UINT_PTR>(facts.window))
                                               return true;
                                       }
                                       return false;
                                   }),
                    fresh.end());
        return !fresh.empty();
    });
    Print(fresh);
    return held ? 0 : 1;
}

int PrintChildTexts(const Arguments& args)
{
    HWND window = FindTarget(args[1]);
    if (!window)
        return 1;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (const auto text = WindowText(child))
            std::printf("%s\n", ToHex(*text).c_str());
    }
    return 0;
}

int PrintEditText(const Arguments& args)
{
    const auto text = WindowText(FindEdit(FindTarget(args[1])));
    std::printf("%s\n", text ? ToHex(*text).c_str() : "none");
    return text ? 0 : 1;
}

int WaitEditText(const Arguments& args)
{
    const auto wanted = FromHex(args[2]);
    if (!wanted)
        return Usage();
    std::optional<std::string> text;
    const bool held = PollUntil(Milliseconds(args[3]), [&] {
        text = WindowText(FindEdit(FindTarget(args[1])));
        return text && *text == *wanted;
    });
    std::printf("%s\n", text ? ToHex(*text).c_str() : "none");
    return held ? 0 : 1;
}

int SetEditText(const Arguments& args)
{
    const auto text = FromHex(args[2]);
    HWND edit = FindEdit(FindTarget(args[1]));
    if (!text || !edit)
        return 1;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text->c_str()), SMTO_ABORTIFHUNG,
                               2000, &result) && result
               ? 0
               : 1;
}

int PrintClipboard()
{
    const auto text = ReadClipboardText();
    std::printf("%s\n", text ? ToHex(*text).c_str() : "none");
    return text ? 0 : 1;
}

int SetClipboard(const Arguments& args)
{
    const auto text = FromHex(args[1]);
    if (!text)
        return Usage();
    std::vector<ExtraFormat> extras;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const auto equals = args[i].find('=');
        ExtraFormat extra{args[i].substr(0, equals), std::nullopt};
        if (equals != std::string::npos)
            extra.value = static_cast<unsigned long>(Number(args[i].substr(equals + 1)));
        extras.push_back(extra);
    }
    return WriteClipboardText(*text, extras) ? 0 : 1;
}

int Post(const Arguments& args)
{
    HWND window = FindTarget(args[1]);
    return window && PostMessageA(window, static_cast<UINT>(Number(args[2])), static_cast<WPARAM>(Number(args[3])),
                                  static_cast<LPARAM>(Number(args[4])))
               ? 0
               : 1;
}

// Closes a notepad without its question about unsaved changes.
int DiscardClose(const Arguments& args)
{
    HWND window = FindTarget(args[1]);
    if (!window)
        return 1;
    if (HWND edit = FindEdit(window)) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(edit, EM_SETMODIFY, FALSE, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    }
    return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

int PrintForeground()
{
    HWND window = GetForegroundWindow();
    if (!window)
        return 1;
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    std::printf("%s class=%s\n", DescribeWindow(FactsOf(window)).c_str(), name);
    return 0;
}

struct Command {
    const char* name;
    std::size_t minimumArguments;
    int (*run)(const Arguments&);
};

const Command commands[] = {
    {"windows", 2, ListWindows},
    {"children", 3, ListChildren},
    {"wait-window", 3, WaitWindow},
    {"wait-hidden", 3, WaitHidden},
    {"wait-foreground", 3, WaitForeground},
    {"wait-new-child", 4, WaitNewChild},
    {"texts", 2, PrintChildTexts},
    {"edit-text", 2, PrintEditText},
    {"wait-edit-text", 4, WaitEditText},
    {"set-edit-text", 3, SetEditText},
    {"clipboard", 1, [](const Arguments&) { return PrintClipboard(); }},
    {"set-clipboard", 2, SetClipboard},
    {"empty-clipboard", 1, [](const Arguments&) { return WriteClipboardText({}, {}, false) ? 0 : 1; }},
    {"has-format", 2, [](const Arguments& a) { return ClipboardHasFormat(a[1]) ? 0 : 1; }},
    {"post", 5, Post},
    {"discard-close", 2, DiscardClose},
    {"foreground", 1, [](const Arguments&) { return PrintForeground(); }},
    {"recorder", 4,
     [](const Arguments& a) {
         return RunKeyRecorder(a[1].c_str(), static_cast<int>(Number(a[2])), static_cast<int>(Number(a[3])));
     }},
};

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY); // lines end with LF for the shell
    const Arguments args(argv + 1, argv + argc);
    if (args.empty())
        return Usage();
    for (const auto& command : commands) {
        if (args[0] == command.name)
            return args.size() < command.minimumArguments ? Usage() : command.run(args);
    }
    return Usage();
}
