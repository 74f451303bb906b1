#pragma once

#include <windows.h>

// The whole start-up of the process, called by WinMain: hands the process
// to the application object and returns the exit code (-1 when there is no
// application object or InitApplication refused).
int RunApplication(HINSTANCE instance, const char* commandLine, int showCommand);
