#include "MessageLoop.h"

#include <windows.h>

#include "WindowRegistry.h"

namespace {

int RunLoop(bool withAccelerators) {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return -1;
        if (withAccelerators && TranslateAccelerators(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int RunMessageLoop() { return RunLoop(true); }

int RunPlainMessageLoop() { return RunLoop(false); }
