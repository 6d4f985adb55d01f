#pragma once
// The game's pause: a busy wait inside the running handler, on the clock of the services.
namespace engine {

// Waits until the clock has moved on by more than one second from now, or reads less than five
// seconds after midnight (so a pause started just before midnight ends once the day turns).
void Pause();

} // namespace engine
