#include "window/LocalMove.h"

#include "engine/Board.h"
#include "engine/BoardView.h"
#include "engine/GameControls.h"
#include "engine/RackRefill.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "engine/WordCheck.h"
#include "netplay/InetPlay.h"
#include "netplay/LanMessages.h"
#include "platform/text/Blanks.h"

namespace window {

namespace ui = platform::ui;

namespace {

bool wholeRackShown(engine::GameControls& c) {
    for (ui::Image* tile : c.rack())
        if (!tile->Visible) return false;
    return true;
}

// A LAN opponent hears of the move here: "M", letter, landing cell, from the own seat.
void sendLanMove(const std::string& letter, int landingCell) { netplay::SendLanMove(letter, landingCell); }

// An Internet opponent's mailbox gets the move here, posted until the server has written it.
void postInternetMove(const std::string& letter, int landingCell) { netplay::PostInternetMove(letter, landingCell); }

} // namespace

void LocalMove(int Index, ui::Control& Source) {
    engine::State& s = engine::state();
    engine::GameControls& c = *s.controls;
    // Only rack images can be dragged; anything else carries no tile at all.
    auto* tile = dynamic_cast<ui::Image*>(&Source);

    if (wholeRackShown(c)) {
        // The tile never left the rack: it was grabbed while the rack was being dealt or put back.
        engine::AddStatusLine(GrabbedTooEarlyText);
        engine::RestoreTiles();
        return;
    }
    if (!tile || tile->Picture.get() == c.Blank.Picture.get()) {
        // An empty rack slot: before the first deal, or after the board was cleared.
        engine::RestoreTiles();
        return;
    }
    s.MoveEndedGame = 0;
    if (s.GameOver == 1) {
        engine::AddStatusLine(GameIsOverText);
        engine::RestoreTiles();
        return;
    }
    if (s.TurnName != s.UserName) {
        engine::AddStatusLine(NotYourTurnText);
        engine::RestoreTiles();
        return;
    }

    const std::string letter = std::string(platform::text::trimBlanks(tile->Tag.get()));
    // A tile let go over the drop row goes into the top cell of that column.
    int cell = Index >= engine::DropRowFirst ? Index - engine::BoardColumns : Index;
    if (cell < 0 || cell >= engine::CellCount || !engine::holeIsEmpty(cell)) {
        engine::RestoreTiles();
        return;
    }

    c.Hole(cell).Picture = tile->Picture.get();
    c.Hole(cell).Tag = tile->Tag.get();
    // The tile falls, without a pause, to the lowest empty cell of its column.
    while (cell - engine::BoardColumns >= 0 && engine::holeIsEmpty(cell - engine::BoardColumns)) {
        const int below = cell - engine::BoardColumns;
        c.Hole(cell).Picture = c.Blank.Picture.get();
        c.Hole(cell).Tag = c.Blank.Tag.get();
        c.Hole(below).Picture = tile->Picture.get();
        c.Hole(below).Tag = tile->Tag.get();
        cell = below;
    }
    engine::PlaySoundEvent(s.SoundMyDrop);
    engine::RefillRack(letter);

    // The opponent gets the move before the word check, so both sides check the same board.
    if (s.LanGame == 1) sendLanMove(letter, cell);
    if (s.InetState == engine::InetPlaying) postInternetMove(letter, cell);

    c.Label13.Caption = "Opponents Turn";
    engine::CheckForWord(cell);

    // A move that ended the game leaves the turn with its maker.
    if (s.MoveEndedGame == 1 || s.GameOver == 1) return;
    s.TurnName = s.TurnName == s.Player1Name ? s.Player2Name : s.Player1Name;
}

} // namespace window
