#include "app/CommandLine.h"

bool RequestsNonResident(const char* commandLine) {
    if (!commandLine) return false;
    const char* c = commandLine;
    while (*c == ' ') ++c;
    for (; *c; ++c) {
        if (c[0] == '-' && (c[1] == 'o' || c[1] == 'O')) return true;
    }
    return false;
}
