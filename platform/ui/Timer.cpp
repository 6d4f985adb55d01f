#include "platform/ui/Timer.h"

#include "platform/ui/Desktop.h"

#include <limits>

namespace platform::ui {

Timer::~Timer() {
    if (TimerHost* host = Desktop::instance().timerHost()) host->timerChanged(*this, true);
}

void Timer::changed() {
    if (TimerHost* host = Desktop::instance().timerHost()) host->timerChanged(*this, false);
}

void Timer::fire() {
    if (m_inTick || !Enabled || !onTimer) return;
    // The window owning the timer may be unloaded by the tick; it is destroyed only after the
    // dispatch, so the flag is cleared while the timer still exists.
    Desktop::instance().dispatch([this] {
        m_inTick = true;
        struct Leave {
            bool& flag;
            ~Leave() { flag = false; }
        } leave{m_inTick};
        onTimer();
    });
}

void ManualTimers::timerChanged(Timer& timer, bool gone) {
    if (gone || !timer.running()) {
        m_due.erase(&timer);
        return;
    }
    m_due[&timer] = m_now + timer.Interval;
}

void ManualTimers::advance(std::int64_t ms) {
    const std::int64_t end = m_now + ms;
    for (;;) {
        // A handler that let time run on (a nested advance) leaves the clock later than end.
        if (m_now > end) return;
        Timer* next = nullptr;
        std::int64_t due = std::numeric_limits<std::int64_t>::max();
        for (auto& [timer, at] : m_due)
            if (at < due) { due = at; next = timer; }
        if (!next || due > end) break;
        m_now = due;
        // The next tick is counted from this one; a restart inside the handler moves it again.
        m_due[next] = due + next->Interval;
        next->fire();
    }
    if (m_now < end) m_now = end;
}

} // namespace platform::ui
