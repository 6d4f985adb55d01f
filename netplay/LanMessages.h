#pragma once
// The three player messages of a LAN game, each one text whose first character is its kind,
// carried as one string value through the session object; and the fetching of one message,
// player or system, from the session object's queue.
#include <cstdint>
#include <optional>
#include <string>

namespace netplay {

// Kind letters, compared case-sensitively.
inline constexpr char LanMoveKind = 'M';
inline constexpr char LanChatKind = 'm';
inline constexpr char LanInfoKind = 's';

// "M", the letter, the landing cell in decimal: "Me17".
std::string LanMoveMessage(const std::string& letter, int landingCell);
// "m" and the line exactly as typed.
std::string LanChatMessage(const std::string& line);
// "s" and the sender's PlayerInfoBlock.
std::string LanInfoMessage(const std::string& playerInfoBlock);

// The system messages the game acts on (their dwType).
inline constexpr std::int32_t DPSYS_ADDPLAYER = 3;
inline constexpr std::int32_t DPSYS_DELETEPLAYER = 5;
inline constexpr std::int32_t DPSYS_ADDPLAYERTOGROUP = 7;
inline constexpr std::int32_t DPSYS_SESSIONLOST = 49;
inline constexpr std::int32_t DPRECEIVE_ALL = 1;

// Sends text from the local seat to the other seat (seat numbers as player ids), flags 0.
// Needs the session object DPlay; throws LanError when the library refuses.
void SendLanMessage(const std::string& text);

// The local move and the chat line to the LAN opponent. When the library refuses, the status
// list says so; the move has landed on the own board all the same.
void SendLanMove(const std::string& letter, int landingCell);
void SendLanChat(const std::string& line);

// Leaves the LAN game's session, if any: the session is closed, so the opponent's receive loop
// hears at once that this player has gone, and the session object released; LanGame 0.
void LeaveLanGame();

// One message taken from the queue.
struct LanMessage {
    std::int32_t from = 0;        // 0: a system message of the network itself
    std::string text;             // a player message's text
    std::int32_t type = 0;        // a system message's dwType
    std::string shortName;        // an add-player message's szShortName
};

// The next waiting message of any sender to any local player; nothing when there is no session
// object or nothing waits. Throws LanError when the library fails.
std::optional<LanMessage> ReceiveLanMessage();

} // namespace netplay
