#pragma once
#include <cstdint>
#include <optional>

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

    // A busy wait takes in no input: what the player did during it reaches the windows only once
    // it is over. The waits mark their end here so the windows can tell such late input apart.
    void busyWaitEnded() { m_busyWaitEndedMs = monotonicMs(); }
    // Milliseconds on the monotonic clock since the last busy wait ended; none before the first.
    std::optional<std::int64_t> sinceBusyWait() {
        if (!m_busyWaitEndedMs) return std::nullopt;
        return monotonicMs() - *m_busyWaitEndedMs;
    }

private:
    std::optional<std::int64_t> m_busyWaitEndedMs;
};

// The system clock.
class RealClock final : public Clock {
public:
    double secondsSinceMidnight() override;
    std::int64_t monotonicMs() override;
};

} // namespace platform
