#pragma once
// Time and waiting for the benchmarks that watch other programs under Wine.
#include <windows.h>

#include <stdexcept>

inline double NowMs() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Polls without sleeping long, so that the measurement is not coarser than a millisecond.
template <typename Condition>
bool WaitFor(DWORD timeoutMs, Condition condition) {
    const double end = NowMs() + timeoutMs;
    while (!condition()) {
        if (NowMs() > end) return false;
        Sleep(1);
    }
    return true;
}

// A figure that could not be measured ends the run with the reason; a slow one never does.
inline void Require(bool condition, const char* what) {
    if (!condition) throw std::runtime_error(what);
}
