#pragma once
// A figure against its floor as every benchmark prints it: "1.72× (goal ≤ 1.3×)".
// The two signs are UTF-8 bytes written as escapes: the figures are read on a
// UTF-8 terminal, while the literals of these sources become Shift-JIS.
#include <cstdio>
#include <string>

template <typename... Args>
std::string Formatted(const char* format, Args... args) {
    const int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

inline std::string RatioText(double ratio) { return Formatted("%.2f\xC3\x97", ratio); }

inline std::string RatioToGoal(double ratio, double goal) {
    return RatioText(ratio) + Formatted(" (goal \xE2\x89\xA4 %g\xC3\x97)", goal);
}
