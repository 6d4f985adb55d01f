#include "engine/RackRefill.h"

#include "engine/Board.h"
#include "engine/GameControls.h"
#include "engine/State.h"

namespace engine {

namespace {

// With no vowel left, a drawn consonant becomes the vowel of its stretch of the alphabet.
struct ForcedVowel {
    int lastDrawn;   // draws up to and including this index
    int vowel;
};
constexpr std::array<ForcedVowel, 5> ForcedVowels = {{{5, 0}, {10, 4}, {15, 8}, {20, 14}, {25, 20}}};

} // namespace

bool isVowelIndex(int letter) { return letter == 0 || letter == 4 || letter == 8 || letter == 14 || letter == 20; }

int drawRefillLetter(std::string_view playedLetter, const std::array<std::string, RackSize>& rack,
                     platform::Random& random) {
    int vowels = 0;
    for (const std::string& tag : rack)
        if (isVowelIndex(letterIndex(tag))) ++vowels;
    if (isVowelIndex(letterIndex(playedLetter))) --vowels;

    int r = 0;
    for (;;) {
        random.reseedFromClock();
        r = static_cast<int>(26 * random.next() + 1) - 1;
        if (r < 0 || r >= LetterCount) continue;
        if (letterTag(r) == playedLetter) continue;
        if (vowels > 3 && isVowelIndex(r)) continue;
        break;
    }
    if (vowels == 0 && !isVowelIndex(r)) {
        for (const ForcedVowel& range : ForcedVowels) {
            if (r <= range.lastDrawn) {
                r = range.vowel;
                break;
            }
        }
    }
    return r;
}

void RefillRack(const std::string& PlayedLetter) {
    State& s = state();
    GameControls& c = *s.controls;
    std::array<std::string, RackSize> tags;
    const auto tiles = c.rack();
    for (int i = 0; i < RackSize; ++i) tags[i] = tiles[i]->Tag.get();
    const int r = drawRefillLetter(PlayedLetter, tags, *s.services.random);

    const ui::ControlArray<ui::Image>* colour = nullptr;
    if (s.MyColour == "blue") colour = &c.Pics.blue;
    else if (s.MyColour == "red") colour = &c.Pics.red;
    if (colour) {
        // Each hidden slot on its own: every hidden tile gets the same new letter.
        for (ui::Image* tile : tiles) {
            if (tile->Visible) continue;
            tile->Picture = (*colour)(r).Picture;
            tile->Tag = (*colour)(r).Tag;
            tile->Visible = true;
        }
    }
    for (ui::Image* tile : tiles) tile->DragIcon = tile->Picture;
}

} // namespace engine
