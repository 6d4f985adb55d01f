#include "netplay/InetGame.h"

#include "engine/GameControls.h"
#include "engine/GameEnd.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "netplay/PlayerInfo.h"
#include "platform/text/Cp1252.h"

#include <charconv>

namespace netplay {

namespace {

int counterValue(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

void showTransferLight(TransferLight light) {
    engine::GameControls* c = engine::state().controls;
    if (!c) return;
    switch (light) {
    case TransferLight::On:
        c->light.Picture = c->Pics.onlight.Picture;
        break;
    case TransferLight::Failed:
        c->light.Picture = c->Pics.redlight.Picture;
        c->light.Refresh();
        break;
    case TransferLight::Off:
        c->light.Picture = c->Pics.offlight.Picture;
        break;
    }
}

void setMailboxKeys(wire::Side side, std::string_view gameId) {
    engine::State& s = engine::state();
    s.InboxKey = wire::inboxKey(side, gameId);
    s.OutboxKey = wire::outboxKey(side, gameId);
}

WaitingRoomEntry ownWaitingRoomEntry(bool privateGame, std::string_view password, int waitSeconds) {
    const engine::State& s = engine::state();
    const wire::PlayerInfoBlock own = ownPlayerInfo();
    WaitingRoomEntry entry;
    entry.userName = std::string(wire::trimBlanks(s.UserName));
    entry.userLocation = std::string(wire::trimBlanks(s.UserLocation));
    entry.played = counterValue(own.played);
    entry.won = counterValue(own.won);
    entry.privateGame = privateGame;
    entry.password = std::string(password);
    entry.waitSeconds = waitSeconds;
    return entry;
}

void postOwnPlayerInfo(wire::PostKind kind) {
    engine::GameControls* c = engine::state().controls;
    if (!c) return;
    postPlayerInfo(c->Inet1, engine::state().OutboxKey, kind, ownPlayerInfo());
}

void postOwnPhotoLink() {
    engine::State& s = engine::state();
    if (!s.controls || platform::text::utf8Length(s.PhotoUrl) <= 12) return;
    showTransferLight(TransferLight::On);
    postPhotoLink(s.controls->Inet1, s.OutboxKey, s.PhotoUrl);
    showTransferLight(TransferLight::Off);
}

void LeaveWaitingRoom() {
    engine::State& s = engine::state();
    s.InetState = engine::InetIdle;
    if (s.controls) s.controls->inettimer.Enabled = false;
    engine::AddStatusLine("You have exited the internet waiting room.");
    engine::AddStatusLine("Ready.");
    if (s.controls) withdrawEntry(s.controls->Inet1, s.InboxKey);
}

void QuitInternetGame() {
    engine::State& s = engine::state();
    s.InetState = engine::InetIdle;
    if (s.controls) s.controls->inettimer.Enabled = false;
    showTransferLight(TransferLight::Off);
    engine::AddStatusLine("Internet game terminated.");
    if (s.controls) postQuit(s.controls->Inet1, s.OutboxKey);
}

void CountOwnResult(engine::GameResult result) {
    engine::CountResult(engine::state().UserName, result);
}

bool LeaveCountsAsLoss() {
    const engine::State& s = engine::state();
    return s.InetState == engine::InetPlaying && s.GameOver != 1 && (s.RematchRound == 0 || s.OwnMoveDelivered == 1);
}

bool QuitCountsAsWin() {
    const engine::State& s = engine::state();
    return (s.GameOver != 1 && s.RematchRound == 0) || s.OpponentMoveReceived == 1;
}

void ForfeitInternetGame() {
    if (engine::state().InetState != engine::InetPlaying) return;
    if (LeaveCountsAsLoss()) CountOwnResult(engine::GameResult::Lost);
    QuitInternetGame();
}

} // namespace netplay
