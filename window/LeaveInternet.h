#pragma once
// Leaving the Internet before something else happens: a new game, Exit, Change User or closing
// the main window. A running Internet game is given up only after the player agrees, and then
// counts as a loss on the player's own record; an own entry in the waiting room is withdrawn
// through the Internet module's LeaveWaitingRoom.
#include <functional>
#include <string>

namespace window {

// The first line of the playing question for every command but the Internet start.
inline constexpr const char* CurrentlyPlayingText =
    "You are currently playing an internet game. If you quit during play, the game will score as a loss for you.";
// The first line of the playing question for the Internet start.
inline constexpr const char* AlreadyPlayingText =
    "You are already playing an internet game. If you quit current game, the game will be scored as a loss for you.";

// Asks what to do with a running Internet game (InetState 1) or an own waiting-room entry
// (InetState 2); the waiting question comes first when WaitingFirst is true. Returns false when
// the player answers No (nothing has changed), true when the command may go on (the game was
// given up and counted, or the entry withdrawn, or there was nothing to ask).
bool ConfirmLeaveInternet(const std::string& PlayingText, bool WaitingFirst);

// The close procedure of the main window (its close button and its title bar): the same two
// questions. True when the program may end.
bool ConfirmCloseMain();

// How a running Internet game is ended and the opponent told: the Internet module's
// QuitInternetGame unless something else is installed here (an empty function puts it back).
void setQuitInternetGame(std::function<void()> quit);
void QuitInternetGameNow();

} // namespace window
