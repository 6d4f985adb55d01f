#pragma once
// The computer opponent: seat 2, "Computer", red tiles, no rack; it may play any letter.
#include "engine/Board.h"
#include "platform/seams/Random.h"

#include <cstdint>
#include <optional>

namespace engine {

struct ComputerChoice {
    int letter;     // 0..25
    int dropCell;   // 42..48, above the chosen column
};

// The computer's choice of letter and column on a board, at a skill level (1 Beginner, 2 Normal,
// 3 Master). Every level but Beginner first takes the leftmost column where a letter completes a
// word; otherwise a random letter goes to a random column that is not full, and Master rejects up
// to four columns whose landing would open a word to the player. Nothing when every column is
// full. Sets ChosenLetter as the searches leave it.
std::optional<ComputerChoice> chooseComputerMove(const BoardTags& tags, std::int16_t skill, platform::Random& random);

// One whole turn of the computer on the main window: a thinking pause, the choice, the red tile
// shown above its column, a second pause, the fall, the drop sound, the word check, and the turn
// back to the player when the game goes on. Does nothing once the game is over or when no
// column has room.
void ComputerMove();

// The lantimer tick's step for a game against the computer: runs the computer's move when it is
// the computer's turn. True when a game against the computer is on, so the tick receives nothing.
bool ComputerTurnTick();

} // namespace engine
