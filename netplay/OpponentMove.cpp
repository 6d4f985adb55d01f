#include "netplay/OpponentMove.h"

#include "engine/Board.h"
#include "engine/BoardView.h"
#include "engine/GameControls.h"
#include "engine/Pause.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "engine/WordCheck.h"
#include "netplay/InetPoll.h"

#include <utility>

namespace netplay {

namespace {

void showOpponentMove(int letter, int cell) {
    engine::State& s = engine::state();
    engine::GameControls& c = *s.controls;
    if (!engine::holeIsEmpty(cell)) return;
    platform::ui::Image& slot = c.Hole(engine::dropCell(cell % engine::BoardColumns));
    platform::ui::Image& landing = c.Hole(cell);
    const platform::ui::Image& tile = s.MyColour == "red" ? c.Pics.blue(letter) : c.Pics.red(letter);
    slot.Picture = tile.Picture;
    slot.Tag = tile.Tag;
    slot.Refresh();
    engine::Pause();   // the tile shows above its column for a moment before it lands
    landing.Picture = slot.Picture;
    slot.Picture = c.Blank.Picture;
    landing.Tag = slot.Tag;
    slot.Tag = c.Blank.Tag;
    engine::PlaySoundEvent(s.SoundOpponentDrop);
    engine::CheckForWord(cell);
    if (s.MoveEndedGame != 1 && s.GameOver != 1) {
        c.Label13.Caption = "Your Turn";
        s.TurnName = s.UserName;
    }
    if (s.InetState == engine::InetPlaying) {
        c.inettimer.Interval = PollAfterOpponentMs;
        c.inettimer.Enabled = true;
    }
}

} // namespace

void OpponentMoveArrived(int letter, int cell) {
    engine::State& s = engine::state();
    if (!s.controls || letter < 0 || letter >= engine::LetterCount || cell < 0 || cell >= engine::CellCount) return;
    // Counted before the move is shown: a move that decides the round starts the next one's count.
    s.OpponentMoveReceived = 1;
    if (s.GameOver == 1) s.HeldMoves.emplace_back(letter, cell);
    else showOpponentMove(letter, cell);
}

void PlayHeldMoves() {
    engine::State& s = engine::state();
    if (!s.controls) return DropHeldMoves();
    for (const auto& [letter, cell] : std::exchange(s.HeldMoves, {})) showOpponentMove(letter, cell);
}

void DropHeldMoves() {
    engine::state().HeldMoves.clear();
}

} // namespace netplay
