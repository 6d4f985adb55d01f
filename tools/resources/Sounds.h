#pragma once
// The eight default sounds, synthesised: short chimes, knocks and blips with soft envelopes.
#include <cstdint>
#include <string>
#include <vector>

namespace tools::resources {

inline constexpr int SoundRate = 22050;

// 16-bit mono PCM samples as a complete WAV file.
std::string waveFile(const std::vector<std::int16_t>& samples, int rate = SoundRate);

// The samples of sound event 0 to 7 (event order: system message, chat in, chat sent, own drop,
// opponent's drop, game ready, game over, play error). Always the same for the same event.
std::vector<std::int16_t> soundSamples(int event);

} // namespace tools::resources
