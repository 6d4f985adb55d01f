#include "engine/Pause.h"

#include "engine/State.h"

namespace engine {

void Pause() {
    platform::Clock& clock = *state().services.clock;
    const double start = clock.secondsSinceMidnight();
    for (;;) {
        const double now = clock.secondsSinceMidnight();
        if (now > start + 1.0 || now < 5.0) {
            clock.busyWaitEnded();
            return;
        }
        clock.busyWaitTick();
    }
}

} // namespace engine
