#include "engine/Round.h"

#include "engine/Board.h"
#include "engine/GameControls.h"
#include "engine/GameEnd.h"
#include "engine/GameOverSeam.h"
#include "engine/State.h"

namespace engine {

void StartRound() {
    State& s = state();
    GameControls& c = *s.controls;
    s.GameOver = 0;
    s.MoveEndedGame = 0;

    platform::Random& random = *s.services.random;
    random.reseedFromClock();
    for (ui::Image* tile : c.rack()) {
        int n = static_cast<int>(random.next() * LetterCount + 1) - 1;
        if (n < 0 || n >= LetterCount) n = 0;
        const ui::Image& source = s.MyColour == "blue" ? c.Pics.blue(n) : c.Pics.red(n);
        tile->Picture = source.Picture;
        tile->Tag = source.Tag;
        tile->Visible = true;
    }
    for (ui::Image* tile : c.rack()) tile->DragIcon = tile->Picture;

    // Switched on here, never off: a timer left running by an earlier game keeps running.
    if (s.ComputerGame == 1 || s.LanGame == 1) c.lantimer.Enabled = true;
    if (s.InetState == InetPlaying) c.inettimer.Enabled = true;

    const std::string starter = s.Player1Name != s.LastStarter ? s.Player1Name : s.Player2Name;
    s.TurnName = starter;
    s.LastStarter = starter;

    c.Label13.Caption = s.TurnName == s.UserName ? "Your Turn!" : "Opponents Turn!";
    c.Label7.Caption = s.Player1Name == s.UserName ? s.Player2Name : s.Player1Name;
}

void ReadyNetworkGame() {
    // A game-over dialog still open belongs to the game this one replaces.
    CloseGameOver();
    BlankBoard();
    State& s = state();
    s.LastStarter.clear();
    // A new pairing: its first round counts whatever has been moved.
    s.RematchRound = 0;
    s.OwnMoveDelivered = 0;
    s.OpponentMoveReceived = 0;
}

} // namespace engine
