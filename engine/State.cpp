#include "engine/State.h"

namespace engine {

State& state() {
    static State s;
    return s;
}

void resetState() {
    State& s = state();
    platform::Services services = s.services;
    GameControls* controls = s.controls;
    s = State{};
    s.services = services;
    s.controls = controls;
}

} // namespace engine
