#include "engine/GameControls.h"

#include "engine/State.h"
#include "platform/ui/Files.h"

namespace engine {

std::string storePicturePath(const std::string& name) {
    return (ui::programFolder() / "pics" / (name + ".bmp")).string();
}

std::vector<ui::Picture> busyAnimationFrames() {
    std::vector<ui::Picture> frames;
    for (int i = 0; i < 8; ++i) frames.push_back(ui::Picture::load(storePicturePath("busy" + std::to_string(i))));
    return frames;
}

PictureStore::PictureStore() {
    const auto fill = [](ui::ControlArray<ui::Image>& set, const std::string& colour) {
        for (int i = 0; i < set.count(); ++i) {
            const std::string letter(1, static_cast<char>('a' + i));
            set(i).Picture = ui::Picture::load(storePicturePath(colour + "_" + letter));
            set(i).Tag = letter;
        }
    };
    fill(blue, "blue");
    fill(red, "red");
    fill(yel, "yel");
    for (ui::Image* image : {&onlight, &redlight, &offlight, &photona, &pcplayer, &soundon, &soundoff})
        image->Picture = ui::Picture::load(storePicturePath(image->name()));
}

PictureStore& Pics() {
    static PictureStore store;
    return store;
}

GameControls::GameControls(platform::HttpClient& transfer) : Inet1(transfer), Pics(engine::Pics()) {}

GameControls::~GameControls() {
    if (state().controls == this) state().controls = nullptr;
}

std::array<ui::Image*, 8> GameControls::rack() {
    return {&Image1, &Image2, &Image3, &Image4, &Image5, &Image6, &Image7, &Image8};
}

} // namespace engine
