#include "engine/BoardView.h"

#include "engine/GameControls.h"
#include "engine/State.h"

namespace engine {

BoardTags boardTags() {
    GameControls& c = *state().controls;
    BoardTags tags;
    for (int cell = 0; cell < CellCount; ++cell) tags[cell] = c.Hole(cell).Tag.get();
    return tags;
}

bool holeIsEmpty(int cell) {
    GameControls& c = *state().controls;
    return c.Hole(cell).Picture == c.Blank.Picture && isEmptyTag(c.Hole(cell).Tag.get());
}

} // namespace engine
