#include "DialogSteps.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace {

struct Run {
    std::vector<Step> steps;
    std::size_t next = 0;
    DWORD lastProgress = 0;
    std::optional<UINT> held = {};  // after a key: the modifiers it holds, released before the next step
    int cancels = 0;                // after the last step
    bool dialogSeen = false;
    HWND stepper = nullptr;
} run;

constexpr UINT StepMessage = WM_APP + 1;
constexpr DWORD StallMs = 10000;

HWND OpenDialog() {
    HWND found = nullptr;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", nullptr));)
        if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() && IsWindowEnabled(window))
            found = window;
    return found;
}

// The modifiers as the key message's own state, which the dialog reads.
void HoldModifiers(UINT modifiers, bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    if (modifiers & MOD_CONTROL) keys[VK_CONTROL] = down ? 0x80 : 0;
    if (modifiers & MOD_SHIFT) keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// The steps keep a message of their own in the queue, so the dialog is never idle and never shown: without a
// window manager, hiding a shown window costs Wine seconds. A step runs when nothing else waits in the queue.
void NextStep() {
    // Not input: under Wine, modifiers a step held keep reporting input after their release.
    const bool busy = HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0;
    const HWND dialog = OpenDialog();
    if (!dialog && run.dialogSeen && run.next == run.steps.size()) return;  // the dialog has closed
    PostMessageA(run.stepper, StepMessage, 0, 0);
    if (busy || !dialog) {
        if (GetTickCount() - run.lastProgress > StallMs) {
            ADD_FAILURE() << "the dialog stalled before step " << run.next;
            run.lastProgress = GetTickCount();
            run.next = run.steps.size();
            if (dialog) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        return;
    }
    run.lastProgress = GetTickCount();
    run.dialogSeen = true;
    if (run.steps.empty()) {
        ADD_FAILURE() << "a dialog opened that the test did not expect";
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (run.held) {
        HoldModifiers(*std::exchange(run.held, std::nullopt), false);
    } else if (run.next < run.steps.size()) {
        run.steps[run.next++](dialog);
    } else if (++run.cancels <= 3) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    } else {
        ADD_FAILURE() << "the dialog does not close when cancelled";
        EndDialog(dialog, IDCANCEL);
    }
}

LRESULT CALLBACK StepperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != StepMessage) return DefWindowProcA(window, message, wParam, lParam);
    NextStep();
    return 0;
}

}  // namespace

Step SelectAt(int control, int index) {
    return [=](HWND dialog) {
        const HWND item = GetDlgItem(dialog, control);
        char name[16] = {};
        GetClassNameA(item, name, sizeof name);
        SetFocus(item);
        SendMessageA(item, lstrcmpiA(name, "ComboBox") == 0 ? CB_SETCURSEL : LB_SETCURSEL,
                     static_cast<WPARAM>(index), 0);
        // CBN_SELCHANGE is the same code.
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, LBN_SELCHANGE), reinterpret_cast<LPARAM>(item));
    };
}

Step TypeInto(int control, std::string text) {
    return [=](HWND dialog) {
        const HWND item = GetDlgItem(dialog, control);
        SetFocus(item);
        SendMessageA(item, EM_SETSEL, 0, -1);
        SendMessageA(item, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    };
}

Step Press(int control, int key, UINT held) {
    return [=](HWND dialog) {
        const HWND item = GetDlgItem(dialog, control);
        SetFocus(item);
        run.held = held;
        HoldModifiers(held, true);
        const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
        PostMessageA(item, WM_KEYDOWN, static_cast<WPARAM>(key), 1 | (scan << 16));
    };
}

Step ClickOn(int control) {
    return [=](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
    };
}

void RunDialog(const std::function<void()>& open, std::vector<Step> steps) {
    run = Run{std::move(steps)};
    run.stepper = CreateWindowA("STATIC", "steps", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(run.stepper, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StepperProc));
    run.lastProgress = GetTickCount();
    PostMessageA(run.stepper, StepMessage, 0, 0);
    open();
    DestroyWindow(run.stepper);
    EXPECT_EQ(run.steps.size(), run.next) << "the dialog closed before its last step";
}
