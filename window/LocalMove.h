#pragma once
// A rack tile dropped on a board cell or on the drop row: the local move.
#include "platform/ui/Control.h"

namespace window {

// Index: the Hole the tile was dropped on; Source: the rack image dragged.
void LocalMove(int Index, platform::ui::Control& Source);

} // namespace window
