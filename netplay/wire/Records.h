#pragma once
// The text records that travel inside requests and replies: the player block, the waiting-room
// entry and the records of a mailbox reply.
#include "netplay/wire/Requests.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace netplay::wire {

// Every reply of the server starts with this; it holds no marker and no delimiter, so a marker in
// a reply always stands at the 4th character or later.
inline constexpr std::string_view kReplyPrefix = "TS:";

// A player's name, location and four counters, as the opponent's panel shows them.
struct PlayerInfoBlock {
    std::string name;
    std::string location;
    std::string played;
    std::string won;
    std::string lost;
    std::string tied;
};

// "xxx" name "jjjhh*" location "*qqcc*" played "*eerr*" won "*pptt*" lost "*vvmm*" tied "*aa".
std::string formatPlayerInfoBlock(const PlayerInfoBlock& block);
PlayerInfoBlock playerInfoFromCounters(std::string_view name, std::string_view location, int played, int won,
                                       int lost, int tied);

// Each field read from the whole text, trimmed; a field whose markers are missing or out of order
// is absent.
struct PlayerInfoRead {
    std::optional<std::string> name;
    std::optional<std::string> location;
    std::optional<std::string> played;
    std::optional<std::string> won;
    std::optional<std::string> lost;
    std::optional<std::string> tied;
};
PlayerInfoRead readPlayerInfoBlock(std::string_view text);

// The stricter reading the server applies to a posted block: each field ends at the whole
// separator that follows it ("jjjhh*", "*qqcc*", ...), searched after the previous one, so a name
// ending in "j" or a location holding "*qq" is read whole.
PlayerInfoRead readPostedPlayerInfo(std::string_view text);

struct PlayerInfoField {
    std::string_view open;
    std::string_view close;
};
// The six fields' markers in the order name, location, played, won, lost, tied.
const PlayerInfoField* playerInfoFields(); // six entries

// One entry of the waiting-room listing.
struct WaitingEntry {
    std::string gameId;
    std::string playerId;
    std::string location;
    std::string played;
    std::string wins;
    std::string privateFlag; // "YES" for a private game
};

struct WaitingField {
    std::string_view open;
    std::string_view close;
};

std::string formatWaitingEntry(const WaitingEntry& entry);
// The six fields' markers in the order of the table above.
const WaitingField* waitingFields(); // six entries

// Reads the listing entry by entry: each field's opener from the entry's start, its closer from
// the opener; the next entry starts at the private field's closer when a further "*#*" follows.
// A field that cannot be cut is empty. At most `limit` entries, and never the same start twice.
std::vector<WaitingEntry> readWaitingList(std::string_view reply, std::size_t limit = 10000);

// The game number of a joinwait reply: the trimmed text between "tttt" and "ssss".
inline constexpr std::string_view kGameIdOpen = "tttt";
inline constexpr std::string_view kGameIdClose = "ssss";
std::optional<std::string> readEntryGameId(std::string_view reply);

// One record of a mailbox reply, e.g. "*MOVE* *#*$e35$*#*".
std::string formatMailboxRecord(PostKind kind, std::string_view payload);

// The payload of a kind's record in a mailbox reply, when the reply carries that record.
std::optional<std::string> readMailboxPayload(std::string_view reply, PostKind kind);

struct MoveRead {
    int letter; // 0 for "a" to 25 for "z"
    int cell;   // 0 to 41
};
// The move of a mailbox reply; absent when the record is missing or malformed.
std::optional<MoveRead> readMove(std::string_view reply);
// The payload of a MOVE post: the letter and the cell in decimal, "e35".
std::string movePayload(char letter, int cell);
std::optional<MoveRead> parseMovePayload(std::string_view payload);

} // namespace netplay::wire
