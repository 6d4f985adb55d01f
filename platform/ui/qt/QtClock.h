#pragma once
// The system clock for a program with windows: a busy wait gives the processor a breather on
// every turn and lets the screen show what the handler has repainted.
#include "platform/seams/Clock.h"

namespace platform::ui::qt {

class QtClock final : public platform::Clock {
public:
    double secondsSinceMidnight() override { return m_clock.secondsSinceMidnight(); }
    std::int64_t monotonicMs() override { return m_clock.monotonicMs(); }
    void busyWaitTick() override;

private:
    platform::RealClock m_clock;
};

} // namespace platform::ui::qt
