#pragma once
// What the local side of an Internet game sends while it plays: the own move, posted until the
// server has written it or the player gives up, and a chat line; and the start of a round once
// both players are in.
#include <string>

namespace netplay {

// Posts the landed move ("e35") into the opponent's mailbox. Polling is off while it posts; a
// failed attempt is retried at once, and after three the player is asked whether to try again.
// Yes: three more attempts. No: the program ends. After the written post the poll runs again,
// every 10 seconds. True when the move was written.
bool PostInternetMove(const std::string& letter, int landingCell);

// Posts a chat line (trimmed of blanks) into the opponent's mailbox with polling off and the
// light on for its length. Whatever becomes of it is not noticed.
void PostInternetChat(const std::string& line);

// Starts the first round of a freshly matched Internet game on a clean board. The remembered
// starter is forgotten first, so both programs pick the same starter (the player who entered the
// waiting room) whatever each played before in this run.
void StartInternetRound();

// The question after three failed move posts.
inline constexpr const char* TransferFailedTitle = "Transfer Failed";
inline constexpr const char* TransferFailedText =
    "Data transfer to opponent failed. Please check your internet connection.\n\nWould you like to try again?";

} // namespace netplay
