// Kept alone in its object file: only executables without a main of their
// own pull it out of the library (see framework/CMakeLists.txt).
#include "EntryPoint.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    // No exception may leave the entry point; window procedures catch their own.
    try {
        return RunApplication(instance, commandLine, showCommand);
    } catch (...) {
        return -1;
    }
}
