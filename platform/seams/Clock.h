#pragma once
#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight with fractions, as the game's pauses and deadlines read it.
    virtual double secondsSinceMidnight() = 0;
    // A clock that never goes back, in milliseconds, for time-outs.
    virtual std::int64_t monotonicMs() = 0;
    // Called on every turn of a busy wait, so the windows can repaint while the game pauses.
    virtual void busyWaitTick() {}
};

// The system clock.
class RealClock final : public Clock {
public:
    double secondsSinceMidnight() override;
    std::int64_t monotonicMs() override;
};

} // namespace platform
