#include "platform/ui/Animation.h"

#include <algorithm>

namespace platform::ui {

namespace {
// The playing animations; all of them live on the user-interface thread.
std::vector<Animation*>& playingOnes() {
    static std::vector<Animation*> list;
    return list;
}
} // namespace

Animation::~Animation() {
    auto& list = playingOnes();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void Animation::play(bool on) {
    auto& list = playingOnes();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    m_playing = on;
    m_elapsed = 0;
    m_frame = 0;
    if (on) {
        list.push_back(this);
        showFrame();
    }
    Visible = on;
    Refresh();
}

void Animation::advanceAll(int ms) {
    const auto list = playingOnes(); // a copy: a frame change never starts or stops another
    for (Animation* animation : list) animation->advance(ms);
}

bool Animation::anyPlaying() { return !playingOnes().empty(); }

void Animation::advance(int ms) {
    if (frames.empty() || frameMs <= 0) return;
    m_elapsed += std::max(0, ms);
    if (m_elapsed < frameMs) return;
    m_frame = (m_frame + static_cast<std::size_t>(m_elapsed / frameMs)) % frames.size();
    m_elapsed %= frameMs;
    showFrame();
}

void Animation::showFrame() {
    if (!frames.empty()) Picture = frames[m_frame];
}

} // namespace platform::ui
