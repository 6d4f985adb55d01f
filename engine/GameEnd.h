#pragma once
// The end of a game and the board reset: the winning word in yellow, the result on the opponent
// panel and in players.dat, the game-over dialog; then a clean board for the next round.
#include "engine/playerfile/PlayerFile.h"
#include "platform/ui/Control.h"

#include <string>

namespace engine {

// Paints the four cells yellow and, once the game is over, counts the result (panel and
// players.dat) and shows the game-over dialog.
void ShowWinningWord(int Cell1, int Cell2, int Cell3, int Cell4);

// A word or a full board has just decided the round. Against the computer its turns stop; a LAN
// opponent's messages keep coming in while the game-over dialog is open (his "gg", his leaving,
// his first move of the next round). What a leave would cost is reckoned afresh from here on: the
// moves that count now are those of the next round.
void RoundDecided();

// Blanks the board and the rack after a game has ended and clears GameOver; does nothing while a
// game is still under way.
void ResetBoard();

// Blanks every cell (the drop row too) and the rack whatever the game's state, and clears
// GameOver: a game against a new opponent never inherits a tile of the one before.
void BlankBoard();

// The opponent panel empty (name, location, four counters) and the photo back to "not available".
void ClearOpponentPanel();

// The players.dat key a game against the computer is counted on.
inline constexpr const char* ComputerRecordName = "Computer";

// Counts a result on the key's record of players.dat (the counter rule), through PlayerRec. A
// result that cannot be written is told on the status line, and so is a game against the
// computer in a file that has no "Computer" record; the file keeps its old counts.
void CountResult(const std::string& Key, GameResult Result);

// Tells the player that players.dat failed. `Lead` says what could not be done ("The game result
// could not be saved"); empty: only the problem. The windows show a message box; the game's own
// procedures a "System Message: ..." line in the status list (a box when there is no main window).
void ShowPlayerFileProblem(const PlayerFile& File, const std::string& Lead = {});
void TellPlayerFileProblem(const PlayerFile& File, const std::string& Lead = {});

inline constexpr const char* PlayerFileErrorTitle = "Player File Error";

// A panel counter goes up by one: the number its caption begins with (0 when none) plus 1.
void BumpCounterCaption(platform::ui::Label& label);

} // namespace engine
