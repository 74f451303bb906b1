// The 100 ms throttle of target captures, across the wrap of the tick count.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/CaptureThrottle.h"

namespace {

struct ThrottleCase {
    const char* name;
    std::vector<std::uint32_t> ticks;
    std::vector<bool> allowed;
};

const ThrottleCase throttleCases[] = {
    {"first capture at any time", {0}, {true}},
    {"first capture early after boot", {50, 120}, {true, false}},
    {"burst of one click", {1000, 1001, 1050, 1100}, {true, false, false, false}},
    {"just after the interval", {1000, 1101, 1150, 1202}, {true, true, false, true}},
    {"blocked captures do not move the mark", {1000, 1060, 1090, 1101}, {true, false, false, true}},
    {"burst across the wrap", {0xFFFFFFF0u, 0x00000010u, 0x00000053u}, {true, false, false}},
    {"after the wrap, past the interval", {0xFFFFFF00u, 0x00000010u}, {true, true}},
    {"long after the wrap", {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000063u, 0x80000064u}, {true, true, false, true}},
    {"the clock seen going back", {5000, 4000}, {true, true}},
};

TEST(CaptureThrottle, AllowsOneCapturePerInterval)
{
    for (const auto& c : throttleCases) {
        CaptureThrottle throttle;
        std::vector<bool> allowed;
        for (std::uint32_t tick : c.ticks)
            allowed.push_back(throttle.Allow(tick));
        EXPECT_EQ(allowed, c.allowed) << c.name;
    }
}

TEST(CaptureThrottle, RemembersTheLastAllowedTick)
{
    CaptureThrottle throttle;
    throttle.Allow(0xFFFFFFA0u);
    throttle.Allow(0xFFFFFFF0u);
    EXPECT_EQ(throttle.lastCaptureTick(), 0xFFFFFFA0u);
    throttle.Allow(0x00000010u);
    EXPECT_EQ(throttle.lastCaptureTick(), 0x00000010u);
}

} // namespace
