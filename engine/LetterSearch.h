#pragma once
// The computer's question to the board: which letter, placed in an empty cell, would complete a
// dictionary word on one of the windows through it? Windows first, in table order, then letters
// a..z: the first hit is the answer.
#include "engine/Board.h"

namespace engine {

// The letter index 0..25 that completes a word through `cell` on the given board, or -1.
// Leaves WordFound at 1 after a hit and at 0 otherwise; the cell's own tag is never read.
int winningLetterAt(const BoardTags& tags, int cell);

// The same on the main window's board; on a hit the letter is left in ChosenLetter (untouched
// otherwise).
bool FindWinningLetter(int Cell);

} // namespace engine
