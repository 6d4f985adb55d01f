#pragma once
#include <string>

namespace platform {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts playing the WAV file and returns at once; a new sound stops the one playing.
    // A missing or unreadable file, or "None", plays nothing.
    virtual void play(const std::string& file) = 0;
};

} // namespace platform
