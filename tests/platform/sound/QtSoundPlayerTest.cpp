#include "platform/sound/QtSoundPlayer.h"

#include "tests/support/TempDir.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdint>

using platform::sound::QtSoundPlayer;
using testing_support::TempDir;

namespace {

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "test_platform_sound";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

void put16(std::string& s, std::uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
void put32(std::string& s, std::uint32_t v) {
    put16(s, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(s, static_cast<std::uint16_t>(v >> 16));
}

// A short 16-bit mono WAV of a soft square tone.
std::string tinyWave() {
    std::string data;
    for (int i = 0; i < 2205; ++i) put16(data, static_cast<std::uint16_t>((i / 20) % 2 ? 2000 : -2000));
    std::string w = "RIFF";
    put32(w, static_cast<std::uint32_t>(36 + data.size()));
    w += "WAVEfmt ";
    put32(w, 16);
    put16(w, 1);
    put16(w, 1);
    put32(w, 22050);
    put32(w, 44100);
    put16(w, 2);
    put16(w, 16);
    w += "data";
    put32(w, static_cast<std::uint32_t>(data.size()));
    return w + data;
}

void letTheLoopRun() {
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
}

} // namespace

TEST(SoundSilence, NoneAndEmptyNamesPlayNothing) {
    application();
    QtSoundPlayer player;
    player.play("None");
    player.play(" none ");
    player.play("");
    letTheLoopRun();
    EXPECT_EQ(player.lastStarted(), "");
}

TEST(SoundSilence, AMissingFileAFolderOrAFileThatIsNoWavePlaysNothing) {
    application();
    TempDir dir;
    dir.write("missed.wav", "this is not a sound at all");
    dir.write("short.wav", "RIFF");
    QtSoundPlayer player;
    for (const std::string& path : {(dir / "sysmess.wav").string(), dir.path().string(), (dir / "missed.wav").string(),
                                    (dir / "short.wav").string()}) {
        player.play(path);
        letTheLoopRun();
        EXPECT_EQ(player.lastStarted(), "") << path;
    }
}

TEST(SoundPlayback, WaveStartsAndReturnsAtOnceWithoutAudioDevice) {
    application();
    TempDir dir;
    dir.write("begin.wav", tinyWave());
    QtSoundPlayer player;
    player.play((dir / "begin.wav").string());
    letTheLoopRun();
    EXPECT_EQ(player.lastStarted(), (dir / "begin.wav").string());
}

TEST(SoundPlayback, RelativeNameIsTakenFromTheCurrentFolder) {
    application();
    TempDir dir(true);
    dir.write("sent.wav", tinyWave());
    QtSoundPlayer player;
    player.play("sent.wav");
    EXPECT_EQ(player.lastStarted(), (dir / "sent.wav").string());
}

TEST(SoundPlayback, NewSoundReplacesThePlayingOneAndSilenceLeavesItAlone) {
    application();
    TempDir dir;
    dir.write("dropped.wav", tinyWave());
    dir.write("dropped2.wav", tinyWave());
    QtSoundPlayer player;
    player.play((dir / "dropped.wav").string());
    player.play((dir / "dropped2.wav").string());
    player.play("None");
    player.play((dir / "gone.wav").string());
    letTheLoopRun();
    EXPECT_EQ(player.lastStarted(), (dir / "dropped2.wav").string());
    player.play((dir / "dropped.wav").string());
    letTheLoopRun();
    EXPECT_EQ(player.lastStarted(), (dir / "dropped.wav").string());
}
