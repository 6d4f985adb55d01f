#pragma once
// The LAN half of the main window's 50 ms tick: at most one message of the session object per
// tick, acted on. A host waiting for a player seats the one who arrives and starts the round;
// in a game that is set up, the opponent's moves, chat lines and details are shown, and the
// opponent's leaving or a lost connection ends the program.
#include <string>

namespace netplay {

void LanReceiveTick();

// The local player's details to the opponent: "s" and the own PlayerInfoBlock.
void SendOwnLanInfo();

inline constexpr const char* WaitingForPlayerName = "Waiting For Player";
inline constexpr const char* OpponentQuitText = "Your opponent has left the game.";
inline constexpr const char* OpponentQuitTitle = "Opponent Quit";
inline constexpr const char* ConnectionLostText = "The connection with your opponent has been lost.";
inline constexpr const char* ConnectionLostTitle = "Connection Lost";

} // namespace netplay
