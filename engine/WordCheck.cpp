#include "engine/WordCheck.h"

#include "engine/Board.h"
#include "engine/BoardView.h"
#include "engine/Dictionary.h"
#include "engine/GameControls.h"
#include "engine/GameEnd.h"
#include "engine/GameOverSeam.h"
#include "engine/State.h"

#include <string_view>

namespace engine {

void CheckForWord(int HoleIndex) {
    State& s = state();
    // A move that arrives after the end must not be counted as a second result.
    if (s.GameOver == 1) return;
    if (HoleIndex < 0 || HoleIndex >= CellCount) return;
    GameControls& c = *s.controls;

    const auto tagOf = [&c](int cell) -> std::string_view { return c.Hole(cell).Tag.get(); };
    std::string word;
    std::string lastTested;
    for (const WordWindow& window : windowsThrough(HoleIndex)) {
        if (!readWindowWord(window, tagOf, word)) continue;   // a gap is never looked up
        lastTested = word;
        LookUpWord(word);
        // The look-up's own answer decides, never a flag left over from before.
        if (lastLookUpHits() > 0) {
            ShowWinningWord(window.cells[0], window.cells[1], window.cells[2], window.cells[3]);
            return;
        }
    }

    for (int cell = 0; cell < CellCount; ++cell)
        if (holeIsEmpty(cell)) return;

    // The board is full without a word: a draw.
    s.GameOver = 1;
    s.MoveEndedGame = 1;
    RoundDecided();
    s.WinningWord = lastTested;
    BumpCounterCaption(c.Label9);
    BumpCounterCaption(c.Label12);
    CountResult(s.Player2Name == ComputerRecordName ? std::string(ComputerRecordName) : s.UserName, GameResult::Tied);
    ShowGameOver(GameEnding::Draw);
}

} // namespace engine
