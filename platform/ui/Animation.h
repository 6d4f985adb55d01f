#pragma once
// A small looping animation: a picture box that shows its frames in turn while it plays. The
// screen binding moves it on, also while a request holds the window (then only painting runs).
#include "platform/ui/Control.h"

#include <vector>

namespace platform::ui {

class Animation : public Image {
public:
    explicit Animation(std::string name, int index = -1) : Image(std::move(name), index) {}
    ~Animation() override;

    std::vector<ui::Picture> frames;
    int frameMs = 100;

    // Playing shows the animation and runs it from its first frame; stopping hides it.
    void play(bool on);
    bool playing() const { return m_playing; }
    // Moves every playing animation on by `ms` milliseconds.
    static void advanceAll(int ms);
    static bool anyPlaying();

private:
    void advance(int ms);
    void showFrame();

    bool m_playing = false;
    int m_elapsed = 0;
    std::size_t m_frame = 0;
};

} // namespace platform::ui
