#pragma once
// The check after every landed tile, whoever placed it: a dictionary word on a window through the
// landing cell wins for the mover; a full board without one is a draw.
namespace engine {

// HoleIndex: the landing cell 0..41, its tile already in place, TurnName naming the mover.
// Afterwards GameOver and MoveEndedGame are both 1 when the move ended the game. A call after the
// game has ended does nothing at all.
void CheckForWord(int HoleIndex);

} // namespace engine
