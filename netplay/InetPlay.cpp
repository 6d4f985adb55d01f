#include "netplay/InetPlay.h"

#include "engine/Board.h"
#include "engine/GameControls.h"
#include "engine/Round.h"
#include "engine/State.h"
#include "netplay/InetGame.h"
#include "netplay/InetPoll.h"
#include "netplay/InetRequests.h"

namespace netplay {

namespace {

// Attempts in a row before the player is asked.
constexpr int AttemptsBeforeAsking = 3;

bool askTryAgain() {
    platform::Dialogs* dialogs = engine::state().services.dialogs;
    // Nobody to ask: the move is given up as a No would give it up.
    if (!dialogs) return false;
    return dialogs->msgBox(TransferFailedText, platform::vbYesNo, TransferFailedTitle) == platform::vbYes;
}

} // namespace

bool PostInternetMove(const std::string& letter, int landingCell) {
    engine::State& s = engine::state();
    engine::GameControls* c = s.controls;
    if (!c) return false;
    // No poll may run while the move is on its way, between attempts or while the player decides.
    c->inettimer.Enabled = false;
    const char tile = letter.empty() ? ' ' : letter.front();
    int failed = 0;
    for (;;) {
        showTransferLight(TransferLight::On);
        if (postMove(c->Inet1, wire::trimBlanks(s.OutboxKey), tile, landingCell)) break;
        if (++failed < AttemptsBeforeAsking) {
            showTransferLight(TransferLight::Failed);
            continue;
        }
        showTransferLight(TransferLight::Off);
        if (!askTryAgain()) {
            // The opponent would never see this move, so the game cannot go on: it is given up
            // like any other abandoned Internet game, and the opponent is told if the server can
            // still be reached.
            ForfeitInternetGame();
            if (platform::ProgramExit* exit = s.services.exit) exit->exitProgram();
            return false;
        }
        failed = 0;
    }
    s.OwnMoveDelivered = 1;
    c->inettimer.Interval = PollAfterOwnMoveMs;
    c->inettimer.Enabled = true;
    showTransferLight(TransferLight::Off);
    return true;
}

void PostInternetChat(const std::string& line) {
    engine::State& s = engine::state();
    engine::GameControls* c = s.controls;
    if (!c) return;
    c->inettimer.Enabled = false;
    showTransferLight(TransferLight::On);
    postChat(c->Inet1, s.OutboxKey, line);
    c->inettimer.Enabled = true;
    showTransferLight(TransferLight::Off);
}

void StartInternetRound() {
    engine::State& s = engine::state();
    if (!s.controls) return;
    engine::ReadyNetworkGame();
    engine::StartRound();
}

} // namespace netplay
