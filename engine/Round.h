#pragma once
// The start of every round in every mode.
namespace engine {

// Clears the game-over flags, deals a fresh rack of eight random tiles in the local player's
// colour, switches on the timer of the mode, and picks the starter: player 1, unless player 1
// started the previous round of this run, then player 2. Sets the turn caption and the
// opponent's name. The board is left as it is.
void StartRound();

// Readies the main window for a new network game: a blank board and rack, and the remembered
// starter forgotten. Each program picks its starter by itself, so only when both forget what they
// played before in this run do they agree that player 1 starts; the rounds of play-again then
// alternate in step on both sides.
void ReadyNetworkGame();

} // namespace engine
