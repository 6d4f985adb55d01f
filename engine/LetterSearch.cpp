#include "engine/LetterSearch.h"

#include "engine/BoardView.h"
#include "engine/Dictionary.h"
#include "engine/State.h"

namespace engine {

int winningLetterAt(const BoardTags& tags, int cell) {
    State& s = state();
    s.WordFound = 0;
    std::string word;
    for (const WordWindow& window : windowsThrough(cell)) {
        bool complete = true;
        for (int i = 0; i < 4; ++i)
            if (i != window.place && isEmptyTag(tags[window.cells[i]])) complete = false;
        if (!complete) continue;
        for (int letter = 0; letter < LetterCount; ++letter) {
            word.clear();
            for (int i = 0; i < 4; ++i) {
                if (i == window.place) word += static_cast<char>('a' + letter);
                else word += tags[window.cells[i]];
            }
            IsInWordList(word);
            if (s.WordFound == 1) return letter;
        }
    }
    return -1;
}

bool FindWinningLetter(int Cell) {
    const int letter = winningLetterAt(boardTags(), Cell);
    if (letter < 0) return false;
    state().ChosenLetter = static_cast<std::uint8_t>(letter);
    return true;
}

} // namespace engine
