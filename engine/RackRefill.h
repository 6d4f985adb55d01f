#pragma once
// The new letter for the rack slot a played tile came from: never the letter just played, no
// further vowel when the rest of the rack already holds four or more, and a vowel for certain
// when the rest holds none.
#include "platform/seams/Random.h"

#include <array>
#include <string>
#include <string_view>

namespace engine {

inline constexpr int RackSize = 8;

bool isVowelIndex(int letter);

// The letter index 0..25 for the emptied slot. `rack` holds the eight rack tags, the played
// tile's own slot included (it still carries the played letter).
int drawRefillLetter(std::string_view playedLetter, const std::array<std::string, RackSize>& rack,
                     platform::Random& random);

// The refill on the main window: every hidden rack tile gets the new letter in the local
// player's colour and is shown again; each tile's drag icon becomes its own picture.
void RefillRack(const std::string& PlayedLetter);

} // namespace engine
