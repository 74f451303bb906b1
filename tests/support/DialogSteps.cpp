#include "DialogSteps.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Run {
    std::vector<Step> steps;
    std::size_t next = 0;
    DWORD lastProgress = 0;
    bool modifiersDown = false;
    int cancels = 0;  // after the last step
    bool dialogSeen = false;
    HWND stepper = nullptr;
} run;

constexpr UINT StepMessage = WM_APP + 1;
constexpr DWORD StallMs = 10000;

BOOL CALLBACK TakeDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") == 0 && IsWindowEnabled(window)) *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

HWND OpenDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The modifiers as the key message's own state, which the dialog reads.
void HoldModifiers(const Step& step, bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    if (step.ctrl) keys[VK_CONTROL] = down ? 0x80 : 0;
    if (step.shift) keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void Perform(const Step& step, HWND dialog) {
    const HWND control = step.control ? GetDlgItem(dialog, step.control) : dialog;
    switch (step.kind) {
        case Step::Select: {
            char name[16] = {};
            GetClassNameA(control, name, sizeof name);
            const bool combo = lstrcmpiA(name, "ComboBox") == 0;
            SetFocus(control);
            SendMessageA(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(step.value), 0);
            // CBN_SELCHANGE is the same code.
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(step.control, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(control));
            break;
        }
        case Step::Type:
            SetFocus(control);
            SendMessageA(control, EM_SETSEL, 0, -1);
            SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(step.text.c_str()));
            break;
        case Step::Key: {
            SetFocus(control);
            HoldModifiers(step, true);
            run.modifiersDown = true;
            const UINT scan = MapVirtualKeyA(static_cast<UINT>(step.value), MAPVK_VK_TO_VSC);
            PostMessageA(control, WM_KEYDOWN, static_cast<WPARAM>(step.value), 1 | (scan << 16));
            break;
        }
        case Step::Click:
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(step.control, BN_CLICKED),
                         reinterpret_cast<LPARAM>(control));
            break;
        case Step::Check:
            step.check(dialog);
            break;
    }
}

// The steps keep a message of their own in the queue, so the dialog is never
// idle and never shown: without a window manager, hiding a shown window
// costs Wine seconds. A step runs when nothing else waits in the queue.
void NextStep() {
    // Input is left out: under Wine the modifiers that a step holds keep
    // reporting keyboard input after they are released.
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
    if (run.modifiersDown) {
        HoldModifiers(run.steps[run.next - 1], false);
        run.modifiersDown = false;
    } else if (run.next < run.steps.size()) {
        Perform(run.steps[run.next++], dialog);
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

std::string ControlText(HWND dialog, int control) {
    const HWND window = GetDlgItem(dialog, control);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<std::string> ListLines(HWND dialog, int control) {
    std::vector<std::string> lines;
    const int count = static_cast<int>(SendDlgItemMessageA(dialog, control, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string line(SendDlgItemMessageA(dialog, control, LB_GETTEXTLEN, i, 0) + 1, '\0');
        line.resize(
            SendDlgItemMessageA(dialog, control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data())));
        lines.push_back(line);
    }
    return lines;
}
