#pragma once
// The opponent's move arriving on this side, over the Internet and the LAN alike: shown above its
// column, a pause, then in its landing cell, and the word check. A move of the next round that
// arrives while this side's game-over dialog is still open is held back until this player has
// chosen to play again, so both boards start the round from the same blank board.
namespace netplay {

// letter 0..25, cell 0..41 (the landing cell the sender worked out). Shown at once while a round
// is being played here; held while the game-over dialog waits for an answer. A move onto a taken
// cell (a record delivered twice) would overwrite a tile both boards hold: it is dropped.
void OpponentMoveArrived(int letter, int cell);

// After "Play Again" has dealt and started the new round: the held moves are shown, each as if
// it had just arrived (over the Internet the poll then waits the interval after an opponent's move).
void PlayHeldMoves();

// The game-over dialog closed other than by "Play Again" (stop, another game, another user, a new
// pairing, the opponent gone): the held moves go with the round they were made for.
void DropHeldMoves();

} // namespace netplay
