#pragma once
// The Internet poll: each tick of the main window's inettimer fetches the own mailbox once and
// applies what the opponent posted (a chat line, a quit, a photo link, a move, the opponent's
// details, the arrival of an opponent), or ends a wait in the waiting room whose time has run out.
#include <string>

namespace netplay {

// One tick of inettimer. Switches the timer off before anything else and on again at its end,
// except after an expired wait, a server's socket error and the opponent's quit.
void InternetPollTick();

// The poll interval after the opponent has moved or arrived, and after the own move.
inline constexpr int PollAfterOpponentMs = 30000;
inline constexpr int PollAfterOwnMoveMs = 10000;

// The clock (seconds since midnight) has passed the deadline. A deadline set shortly before
// midnight lies beyond the day's last second; once the clock has turned over it is read on the
// new day's count, so such a wait still ends.
bool waitExpired(double now, float deadline);

// A new folder, private to this user, that one opponent's photo is fetched into; the caller
// removes it with the photo. Empty when none can be made.
std::string makePhotoFolder();

// The texts the poll shows.
inline constexpr const char* WaitExpiredTitle = "Wait Time Expired";
inline constexpr const char* WaitExpiredText =
    "Sorry. No other players have joined your internet game request and your selected wait time has elapsed.\n\n"
    "Please try again.";
inline constexpr const char* OpponentLeftTitle = "Opponent Left!";
inline constexpr const char* OpponentLeftText = "Your opponent has exited the game. You win by default!";
inline constexpr const char* SocketErrorLine = "Socket Error. Please check your internet connection";

} // namespace netplay
