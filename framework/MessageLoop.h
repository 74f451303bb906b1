#pragma once

// Pump the thread's messages until WM_QUIT and return its exit code (-1
// when GetMessageA reports an error). RunMessageLoop lets the accelerator
// tables of the window objects look at each message first.
int RunMessageLoop();
int RunPlainMessageLoop();
