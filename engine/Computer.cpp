#include "engine/Computer.h"

#include "engine/BoardView.h"
#include "engine/GameControls.h"
#include "engine/LetterSearch.h"
#include "engine/Pause.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "engine/WordCheck.h"

namespace engine {

namespace {

// A uniform whole number 0..count-1 from a fresh draw, after reseeding from the clock.
int drawBelow(platform::Random& random, int count) {
    random.reseedFromClock();
    return static_cast<int>(random.next() * count + 1) - 1;
}

bool columnFull(const BoardTags& tags, int column) { return !isEmptyTag(tags[CellCount - BoardColumns + column]); }

// Full columns are redrawn; after this many such draws in a row the generator is taken to be
// stuck and the leftmost open column is used, so the move always ends.
constexpr int StuckDraws = 10000;

} // namespace

std::optional<ComputerChoice> chooseComputerMove(const BoardTags& tags, std::int16_t skill, platform::Random& random) {
    int firstOpen = -1;
    for (int column = 0; column < BoardColumns && firstOpen < 0; ++column)
        if (!columnFull(tags, column)) firstOpen = column;
    if (firstOpen < 0) return std::nullopt;

    State& s = state();
    if (skill != Beginner) {
        s.ChosenLetter = 99;
        for (int column = 0; column < BoardColumns; ++column) {
            const int landing = landingCell(tags, column);
            if (landing < 0) continue;
            const int letter = winningLetterAt(tags, landing);
            if (letter >= 0) {
                s.ChosenLetter = static_cast<std::uint8_t>(letter);
                return ComputerChoice{letter, dropCell(column)};
            }
        }
    }

    // One letter per move, drawn before any column.
    int letter = drawBelow(random, LetterCount);
    if (letter < 0 || letter >= LetterCount) letter = 0;
    int candidates = 1;
    int fullDraws = 0;
    for (;;) {
        int column = drawBelow(random, BoardColumns);
        if (column < 0 || column >= BoardColumns) {
            s.services.dialogs->msgBox("Unexpected result select random row!", platform::vbOKOnly, "Tessarine");
            continue;
        }
        if (columnFull(tags, column)) {
            if (++fullDraws < StuckDraws) continue;
            column = firstOpen;
        }
        fullDraws = 0;
        if (skill != Master) return ComputerChoice{letter, dropCell(column)};
        const int above = landingCell(tags, column) + BoardColumns;
        if (above >= CellCount || candidates >= 5) return ComputerChoice{letter, dropCell(column)};
        const int offered = winningLetterAt(tags, above);
        if (offered < 0) return ComputerChoice{letter, dropCell(column)};
        s.ChosenLetter = static_cast<std::uint8_t>(offered);
        ++candidates;
    }
}

void ComputerMove() {
    State& s = state();
    if (s.GameOver == 1) return;
    const BoardTags tags = boardTags();
    // With no room anywhere there is no move to make (and a redraw would never end).
    bool room = false;
    for (int column = 0; column < BoardColumns; ++column) room = room || landingCell(tags, column) >= 0;
    if (!room) return;

    Pause();   // the computer seems to think
    const auto choice = chooseComputerMove(tags, s.SkillLevel, *s.services.random);
    if (!choice) return;

    GameControls& c = *s.controls;
    const ui::Image& tile = c.Pics.red(choice->letter);
    c.Hole(choice->dropCell).Picture = tile.Picture;
    c.Hole(choice->dropCell).Tag = tile.Tag;
    c.Hole(choice->dropCell).Refresh();
    Pause();   // the tile stays visible above its column before it falls

    // The fall is not repainted step by step: the tile leaves the drop row and shows in its
    // landing cell in one change.
    int cell = choice->dropCell;
    while (cell - BoardColumns >= 0 && holeIsEmpty(cell - BoardColumns)) {
        c.Hole(cell).Picture = c.Blank.Picture;
        c.Hole(cell).Tag = c.Blank.Tag;
        cell -= BoardColumns;
        c.Hole(cell).Picture = tile.Picture;
        c.Hole(cell).Tag = tile.Tag;
    }
    PlaySoundEvent(s.SoundOpponentDrop);
    CheckForWord(cell);

    if (s.MoveEndedGame != 1) {
        c.Label13.Caption = "Your Turn";
        s.TurnName = s.Player1Name != s.TurnName ? s.Player1Name : s.Player2Name;
    }
}

bool ComputerTurnTick() {
    State& s = state();
    if (s.ComputerGame != 1) return false;
    if (s.TurnName == s.Player2Name) ComputerMove();
    return true;
}

} // namespace engine
