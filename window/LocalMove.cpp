#include "window/LocalMove.h"

#include "engine/Shared.h"

namespace window {

void LocalMove(int Index, platform::ui::Control& Source) {
    (void)Index;
    (void)Source;
    // NEXT TASK: the move itself (turn and cell checks, the tile falling to its landing cell,
    // the rack refill, sending the move, the word check) replaces this. Until then every drop
    // on the board is refused like any other.
    engine::RestoreTiles();
}

} // namespace window
