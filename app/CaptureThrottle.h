#pragma once
// At most one capture of the target window per interval: the burst of tray
// notices a single click makes keeps the window recorded by the first one.
#include <cstdint>

class CaptureThrottle {
  public:
    static constexpr std::uint32_t intervalMs = 100;

    // now is the 32-bit millisecond tick count. The unsigned difference
    // stays right when the count wraps after 49.7 days of uptime.
    bool Allow(std::uint32_t now) {
        if (captured_ && static_cast<std::uint32_t>(now - lastCaptureTick_) <= intervalMs) return false;
        captured_ = true;
        lastCaptureTick_ = now;
        return true;
    }

    std::uint32_t lastCaptureTick() const { return lastCaptureTick_; }

  private:
    bool captured_ = false;
    std::uint32_t lastCaptureTick_ = 0;
};
