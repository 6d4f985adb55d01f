#pragma once
// The main window's board as the rules read it.
#include "engine/Board.h"

namespace engine {

// The tags of Hole(0)..Hole(41).
BoardTags boardTags();

// A board cell is empty when it shows Blank's picture and carries Blank's tag "xx"; the two marks
// always change together, and reading both keeps a board whose tile pictures failed to load
// from looking empty.
bool holeIsEmpty(int cell);

} // namespace engine
