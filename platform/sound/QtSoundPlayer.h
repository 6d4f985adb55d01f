#pragma once
// The game's sounds on Qt Multimedia. Qt-free header: the program holds it behind the sound seam.
#include "platform/seams/Sound.h"

#include <memory>
#include <string>

namespace platform::sound {

class QtSoundPlayer final : public platform::SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    // Starts the WAV file (a relative name is taken from the current folder, which is the
    // program folder) and returns at once; the sound that was playing stops. "None", an empty
    // name, a missing file, a folder, an unreadable file or one that is no WAV plays nothing, and
    // then the sound that was playing goes on. Without an audio device nothing is heard and
    // nothing fails. Needs a Qt application object; the sound starts once the event loop runs.
    void play(const std::string& file) override;

    // The full path of the last sound started; "" before the first.
    const std::string& lastStarted() const { return m_lastStarted; }

private:
    struct Output;
    std::unique_ptr<Output> m_output;
    std::string m_lastStarted;
};

// True when the file can be played: a readable regular file that starts as a RIFF WAVE file.
bool isPlayableWave(const std::string& file);

} // namespace platform::sound
