#include "netplay/InetPoll.h"

#include "engine/Board.h"
#include "engine/GameControls.h"
#include "engine/GameEnd.h"
#include "engine/GameOverSeam.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "netplay/InetGame.h"
#include "netplay/InetPlay.h"
#include "netplay/InetReplies.h"
#include "netplay/InetRequests.h"
#include "netplay/LanReceive.h"
#include "netplay/OpponentMove.h"
#include "netplay/PlayerInfo.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace netplay {

namespace fs = std::filesystem;
namespace ui = platform::ui;

namespace {

constexpr double SecondsPerDay = 86400.0;

std::string trimmed(const std::string& text) { return std::string(wire::trimBlanks(text)); }

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char ch) { return std::toupper(ch); });
    return text;
}

void showBox(const std::string& text, const std::string& title) {
    if (platform::Dialogs* dialogs = engine::state().services.dialogs) dialogs->msgBox(text, platform::vbOKOnly, title);
}

// The opponent has gone. The leave is his loss and this player's win when both sides have seen the
// round played: the first round of a pairing, or one in which his move has arrived here. A
// decided game is never counted again, and a round he left before moving in it counts for
// nobody, as his own side counts it.
void opponentLeft(engine::GameControls& c) {
    engine::State& s = engine::state();
    const bool forfeit = QuitCountsAsWin();
    if (forfeit) showBox(OpponentLeftText, OpponentLeftTitle);
    else showBox(OpponentQuitText, OpponentQuitTitle);
    // An open game-over dialog would ask about another round with nobody left to play it: the
    // answered box takes it away.
    engine::CloseGameOver();
    c.inettimer.Enabled = false;
    s.GameOver = 1;
    s.InetState = engine::InetIdle;
    engine::ResetBoard();
    engine::ClearOpponentPanel();
    c.Label13.Caption = "";
    if (forfeit) {
        CountOwnResult(engine::GameResult::Won);
        engine::AddStatusLine("Your opponent forfieted game. You win.");
    }
    engine::AddStatusLine("Ready..");
}

// The opponent's photo: fetched into the private folder, shown, and the file deleted.
void showOpponentPhoto(engine::GameControls& c, const std::string& link) {
    c.Picture1.Picture = ui::Picture();
    c.Picture1.Refresh();
    c.Label14.Visible = true;
    c.Label14.Refresh();
    const std::string folder = makePhotoFolder();
    const std::string name = engine::downloadFileName(link);
    if (!folder.empty() && engine::DownloadFile(c.Inet1, link, folder)) {
        const fs::path local = fs::path(folder) / name;
        const std::string kind = upper(name);
        if (kind.find(".GIF") != std::string::npos || kind.find(".JPG") != std::string::npos ||
            kind.find(".BMP") != std::string::npos)
            c.Picture1.Picture = ui::Picture::load(local.string());
    }
    // Nothing the opponent sends stays behind on this machine, not even the empty folder: the
    // game ends without a chance to tidy up afterwards.
    if (!folder.empty()) {
        std::error_code error;
        fs::remove_all(folder, error);
    }
    c.Label14.Visible = false;
}

// An opponent has joined the waiting host: the game starts.
void opponentArrived(engine::GameControls& c, const wire::PlayerInfoRead& info) {
    engine::State& s = engine::state();
    s.InetState = engine::InetPlaying;
    showOpponentInfo(info);
    s.Player1Name = s.UserName;
    s.Player2Name = c.Label7.Caption;
    s.MyColour = "blue";
    s.PlayerNumber = 1;
    postOwnPlayerInfo(wire::PostKind::Data);
    postOwnPhotoLink();
    engine::AddStatusLine("");
    engine::AddStatusLine(c.Label7.Caption.get() + " has joined game. YOUR TURN!!");
    engine::PlaySoundEvent(s.SoundGameReady);
    StartInternetRound();
    c.inettimer.Interval = PollAfterOpponentMs;
    c.inettimer.Enabled = true;
}

} // namespace

bool waitExpired(double now, float deadline) {
    const double due = deadline;
    if (now > due) return true;
    // Past midnight the clock starts again from 0 while the deadline kept counting from the day
    // before; a wait is at most a quarter of an hour, so a clock in the first half of the day
    // against such a deadline is read on the new day.
    return due >= SecondsPerDay && now < SecondsPerDay / 2 && now > due - SecondsPerDay;
}

std::string makePhotoFolder() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) return std::string();
    std::string pattern = (base / "tessarine-photos-XXXXXX").string();
    // Made for this one photo and readable by this user alone.
    if (!::mkdtemp(pattern.data())) return std::string();
    return pattern;
}

void InternetPollTick() {
    engine::State& s = engine::state();
    engine::GameControls* c = s.controls;
    if (!c) return;

    if (s.InetState == engine::InetWaiting && s.services.clock &&
        waitExpired(s.services.clock->secondsSinceMidnight(), s.WaitDeadline)) {
        c->inettimer.Enabled = false;
        s.InetState = engine::InetIdle;
        showBox(WaitExpiredText, WaitExpiredTitle);
        // Nobody is coming: the caption stops saying otherwise while the status list says "Ready".
        c->Label13.Caption = "";
        engine::AddStatusLine("Wait time expired. Please try again");
        engine::AddStatusLine("");
        engine::AddStatusLine("Ready");
        return;
    }

    c->inettimer.Enabled = false;
    showTransferLight(TransferLight::On);
    const Reply reply = fetchMailbox(c->Inet1, s.InboxKey);
    showTransferLight(reply.failed ? TransferLight::Failed : TransferLight::Off);
    const MailboxRead mail = readMailbox(reply.text);

    if (mail.socketError) {
        // Polling stops until something switches it on again.
        engine::AddStatusLine(SocketErrorLine);
        return;
    }
    if (mail.nothingWaiting) {
        c->inettimer.Enabled = true;
        return;
    }
    if (mail.chat) {
        engine::AddStatusLine("From " + trimmed(c->Label7.Caption) + ": " + *mail.chat);
        engine::PlaySoundEvent(s.SoundChatIn);
    }
    if (mail.quit) {
        // A move that came with the quit reached this side all the same: its sender counts it.
        if (mail.move) s.OpponentMoveReceived = 1;
        opponentLeft(*c);
        return;
    }
    if (mail.photoLink) showOpponentPhoto(*c, *mail.photoLink);
    if (mail.move) OpponentMoveArrived(mail.move->letter, mail.move->cell);
    if (mail.playData) showOpponentInfo(*mail.playData);
    if (mail.startGame && s.InetState == engine::InetWaiting) opponentArrived(*c, *mail.startGame);
    c->inettimer.Enabled = true;
}

} // namespace netplay
