#pragma once
// The Internet game's shared steps on the main window and the program-wide state: the transfer
// light, the mailbox keys of a side, the own details and photo sent to the opponent, leaving the
// waiting room, and giving up a game in play.
#include "engine/playerfile/PlayerFile.h"
#include "netplay/InetRequests.h"

#include <string_view>

namespace netplay {

// The transfer light: on while a request runs, red after a failed one (repainted at once, so it
// shows during the retries that follow), off otherwise.
enum class TransferLight { On, Failed, Off };
void showTransferLight(TransferLight light);

// InboxKey and OutboxKey for the host (reads "s" & GameId) or the joiner (reads "c" & GameId).
void setMailboxKeys(wire::Side side, std::string_view gameId);

// The own entry for the waiting room: trimmed UserName and UserLocation, Played and Won of the
// own record (zero without one), the kind of game and the wait.
WaitingRoomEntry ownWaitingRoomEntry(bool privateGame, std::string_view password, int waitSeconds);

// Posts the own details to the opponent through the main window's transfer control: START from
// the joiner, DATA from the host. Failures are not noticed.
void postOwnPlayerInfo(wire::PostKind kind);

// Posts the own photo link when PhotoUrl is longer than 12 characters, with the light on for the
// length of the post. Failures are not noticed.
void postOwnPhotoLink();

// Withdraws the own waiting-room entry: InetState 0, polling off, the status lines "You have
// exited the internet waiting room." and "Ready.", then exitwait with the bare game number
// (fire and forget).
void LeaveWaitingRoom();

// Ends the local side of an Internet game in play and tells the opponent, who wins by forfeit:
// InetState 0, polling off, light off, "Internet game terminated.", then QUIT posted with a
// 20-second time-out (back to 60 after). The post's outcome changes nothing here. Counting the
// loss is the caller's work.
void QuitInternetGame();

// An Internet game's result on the logged-on player's own record of players.dat (nothing without
// the file or the record).
void CountOwnResult(engine::GameResult result);

// What a leave of the Internet game in play costs, reckoned alike on both sides so that one
// side's win is the other's loss, or neither counts:
// - a game already decided by a word or a full board has been counted: leaving it counts nothing;
// - the first round of a pairing counts for the leaver as a loss and for the other as a win,
//   whatever has been moved;
// - a round begun by "Play Again" counts only once a move of the leaver's in it has been posted
//   (on his side) and has arrived (on the other side).
bool LeaveCountsAsLoss();
bool QuitCountsAsWin();

// Gives up the Internet game in play: a loss on the own record when the leave counts, then
// QuitInternetGame. Does nothing once the game has gone (the opponent's quit arrived while the
// player was deciding), so a game is never counted twice.
void ForfeitInternetGame();

} // namespace netplay
