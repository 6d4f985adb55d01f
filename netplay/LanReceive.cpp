#include "netplay/LanReceive.h"

#include "engine/Board.h"
#include "engine/GameControls.h"
#include "engine/Round.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "netplay/LanMessages.h"
#include "netplay/LanObjects.h"
#include "netplay/OpponentMove.h"
#include "netplay/PlayerInfo.h"
#include "netplay/wire/Records.h"
#include "platform/text/Blanks.h"

#include <optional>

namespace netplay {

namespace {

void endProgram(const char* text, const char* title) {
    engine::State& s = engine::state();
    if (s.services.dialogs) s.services.dialogs->msgBox(text, platform::vbOKOnly, title);
    if (s.services.exit) s.services.exit->exitProgram();
}

// The joining player has arrived at the waiting host: seat him and start.
void playerArrived(const std::string& name) {
    engine::State& s = engine::state();
    s.Player2Name = name;
    s.TurnName = s.Player1Name;
    engine::StartRound();
    engine::PlaySoundEvent(s.SoundGameReady);
    engine::AddStatusLine(s.Player2Name + " is ready to play. Your move!");
    SendOwnLanInfo();
}

// "M", letter, cell: the cell is the landing cell already, 0 to 41 in plain decimal.
std::optional<std::pair<int, int>> readMove(const std::string& text) {
    if (text.size() < 3 || text.size() > 4) return std::nullopt;
    const char letter = text[1];
    if (letter < 'a' || letter > 'z') return std::nullopt;
    int cell = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        cell = cell * 10 + (text[i] - '0');
    }
    if (cell >= engine::CellCount) return std::nullopt;
    return std::make_pair(letter - 'a', cell);
}

void applyOpponentMove(const std::string& text) {
    // A move this program could never have sent (bad letter, cell off the board) is dropped.
    if (const auto move = readMove(text)) OpponentMoveArrived(move->first, move->second);
}

void playerMessage(const std::string& text) {
    engine::State& s = engine::state();
    if (text.empty()) return;
    switch (text[0]) {
    case LanChatKind: {
        engine::PlaySoundEvent(s.SoundChatIn);
        const std::string& opponent = s.Player1Name == s.UserName ? s.Player2Name : s.Player1Name;
        engine::AddStatusLine("From " + opponent + ": " + text.substr(1));
        break;
    }
    case LanInfoKind:
        showOpponentInfo(wire::readPlayerInfoBlock(std::string_view(text).substr(1)));
        // Only the joiner answers, so one set-up exchanges exactly two details messages.
        if (s.Player2Name == s.UserName) SendOwnLanInfo();
        break;
    case LanMoveKind:
        applyOpponentMove(text);
        break;
    default:
        break;   // a kind this game does not know
    }
}

} // namespace

void SendOwnLanInfo() {
    SendLanMessage(LanInfoMessage(wire::formatPlayerInfoBlock(ownPlayerInfo())));
}

void LanReceiveTick() {
    engine::State& s = engine::state();
    try {
        const std::optional<LanMessage> message = ReceiveLanMessage();
        if (!message) return;

        if (s.Player2Name == WaitingForPlayerName) {
            // Only a player's arrival counts while the host waits; anything else is dropped.
            // A player with the host's own name cannot be told apart from him, as turns go by
            // name: the host goes on waiting for somebody else.
            if (message->from == 0 && (message->type == DPSYS_ADDPLAYER || message->type == DPSYS_ADDPLAYERTOGROUP)
                && platform::text::trimBlanks(message->shortName) != platform::text::trimBlanks(s.Player1Name))
                playerArrived(message->shortName);
            return;
        }
        if (message->from == 0) {
            if (message->type == DPSYS_DELETEPLAYER) endProgram(OpponentQuitText, OpponentQuitTitle);
            else if (message->type == DPSYS_SESSIONLOST) endProgram(ConnectionLostText, ConnectionLostTitle);
            return;
        }
        playerMessage(message->text);
    } catch (const LanError& e) {
        // The network library refused: say so, and keep the tick alive for the next message.
        engine::AddStatusLine(std::string("System Message: Network error ") + e.what());
    }
}

} // namespace netplay
