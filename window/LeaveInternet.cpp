#include "window/LeaveInternet.h"

#include "engine/State.h"
#include "engine/GameEnd.h"
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

// The playing question; false on No.
bool leaveGame(const std::string& playingText) {
    engine::State& s = engine::state();
    if (s.InetState != engine::InetPlaying) return true;
    if (!askYesNo(playingText, "Do you wish to cancel current game and score a loss?", "Quit Game In Play!")) return false;
    // The forfeit counts on the player's own record, wherever it stands in the file.
    engine::CountResult(s.UserName, engine::GameResult::Lost);
    QuitInternetGameNow();
    return true;
}

// The waiting question; false on No.
bool leaveRoom() {
    if (engine::state().InetState != engine::InetWaiting) return true;
    if (!askYesNo("You are currently waiting for an internet opponent.", "Do you wish to exit the waiting room?",
                  "Exit Waiting Room?"))
        return false;
    netplay::LeaveWaitingRoom();
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
    if (WaitingFirst) {
        if (!leaveRoom()) return false;
        return leaveGame(PlayingText);
    }
    if (!leaveGame(PlayingText)) return false;
    return leaveRoom();
}

bool ConfirmCloseMain() {
    return ConfirmLeaveInternet(CurrentlyPlayingText, false);
}

} // namespace window
