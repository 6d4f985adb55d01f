#pragma once
// The window timers. Setting Enabled (to either value) or Interval restarts the count; a tick
// handler is never re-entered: a tick that comes due while the previous one still runs (during
// one of the game's pauses) is dropped.
#include "platform/ui/Control.h"

#include <cstdint>
#include <map>

namespace platform::ui {

class Timer : public Control {
public:
    explicit Timer(std::string name, int index = -1) : Control(Kind::Timer, std::move(name), index) {
        Enabled.setQuietly(false);
    }
    ~Timer() override;
    // Milliseconds; 0 never ticks.
    Property<int> Interval{this, 0};
    std::function<void()> onTimer;

    // One tick, as the clock gives it: runs the handler unless the timer is off or already
    // inside its handler.
    void fire();
    bool ticking() const { return m_inTick; }
    bool running() const { return Enabled && Interval > 0; }

    void changed() override;

private:
    bool m_inTick = false;
};

// What makes timers tick: the screen binding's real clock, or the test's hand.
class TimerHost {
public:
    virtual ~TimerHost() = default;
    // The timer was switched, its interval set, or it is going away (gone = true).
    virtual void timerChanged(Timer& timer, bool gone) = 0;
};

// Timers driven by hand in virtual milliseconds: advance() fires every tick that comes due, in
// time order.
class ManualTimers final : public TimerHost {
public:
    void timerChanged(Timer& timer, bool gone) override;
    // Moves virtual time on by ms, firing the ticks due on the way.
    void advance(std::int64_t ms);
    std::int64_t now() const { return m_now; }

private:
    std::int64_t m_now = 0;
    std::map<Timer*, std::int64_t> m_due;
};

} // namespace platform::ui
