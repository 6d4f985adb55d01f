#pragma once
// A rack tile dropped on a board cell or on the drop row: the local move.
#include "platform/ui/Control.h"

#include <string>

namespace window {

// Index: the Hole the tile was dropped on (0..48); Source: the rack image dragged. Refuses a drop
// that is not a legal move (rack back, error sound); otherwise the tile falls to its landing
// cell, the rack is refilled, the move goes to a network opponent, the word check runs and the
// turn passes.
void LocalMove(int Index, platform::ui::Control& Source);

// The status lines of the refused drops.
inline constexpr const char* GrabbedTooEarlyText = "OOPS! You grabbed a game piece before your turn. Try again!";
inline constexpr const char* GameIsOverText = "Player Error: This game is over!";
inline constexpr const char* NotYourTurnText = "Player Error: It's Not your turn. Please wait!";

} // namespace window
