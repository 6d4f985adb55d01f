#include "window/LeaveInternet.h"

#include "engine/State.h"
#include "netplay/InetGame.h"

namespace window {

namespace {

std::function<void()>& quitSlot() {
    static std::function<void()> quit;
    return quit;
}

bool askYesNo(const std::string& first, const std::string& second, const std::string& title) {
    platform::Dialogs* dialogs = engine::state().services.dialogs;
    if (!dialogs) return false;
    return dialogs->msgBox(first + "\n\n" + second, platform::vbYesNo, title) == platform::vbYes;
}

// The question for the state the Internet game is in; false on No. A leave that counts for
// nobody (a decided game, a round begun by "Play Again" in which this player has not moved yet)
// asks nothing, as leaving a game against the computer asks nothing; the opponent is told all the
// same. Whatever the poll brought while a box was open (the opponent's quit, his deciding move,
// an opponent joining the waiting player), the state is looked at again after the answer and only
// what is still there is left: a game already won by the opponent's quit is neither counted a
// second time nor quit again.
bool askAndLeave(const std::string& playingText) {
    engine::State& s = engine::state();
    const std::int16_t asked = s.InetState;
    if (asked == engine::InetPlaying) {
        if (netplay::LeaveCountsAsLoss() &&
            !askYesNo(playingText, "Do you wish to cancel current game and score a loss?", "Quit Game In Play!"))
            return false;
    } else if (!askYesNo("You are currently waiting for an internet opponent.", "Do you wish to exit the waiting room?",
                         "Exit Waiting Room?")) {
        return false;
    }
    if (s.InetState != asked) return true;   // asked again for what is there now, if anything
    if (asked == engine::InetPlaying) {
        // The forfeit counts on the player's own record, wherever it stands in the file.
        if (netplay::LeaveCountsAsLoss()) netplay::CountOwnResult(engine::GameResult::Lost);
        QuitInternetGameNow();
    } else {
        netplay::LeaveWaitingRoom();
    }
    return true;
}

} // namespace

void setQuitInternetGame(std::function<void()> quit) {
    quitSlot() = std::move(quit);
}

void QuitInternetGameNow() {
    if (quitSlot()) return quitSlot()();
    netplay::QuitInternetGame();
}

bool ConfirmLeaveInternet(const std::string& PlayingText, bool WaitingFirst) {
    // InetState holds one state at a time, so one question applies and the order WaitingFirst
    // names never shows; when the state changes while the box is open, the loop asks again.
    (void)WaitingFirst;
    while (engine::state().InetState != engine::InetIdle)
        if (!askAndLeave(PlayingText)) return false;
    return true;
}

bool ConfirmCloseMain() {
    return ConfirmLeaveInternet(CurrentlyPlayingText, false);
}

} // namespace window
