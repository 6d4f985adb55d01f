#pragma once
// The game's requests to the game server: each one a synchronous GET through the transfer
// control, with the request time-out its script or kind needs, the address formed the one way
// the wire defines, and a failed transfer turned into an empty reply plus the failure text
// " <number>: <description>" for the few callers that show it.
#include "netplay/wire/Records.h"
#include "netplay/wire/Requests.h"
#include "platform/inet/Inet.h"

#include <string>
#include <string_view>
#include <vector>

namespace netplay {

// "host:port" of the game server; the build's server unless changed (a test's own server).
const std::string& serverAddress();
void setServerAddress(std::string hostAndPort);

// The program's own mark in joinwait and joingame, the same in both for the whole run, so the
// server can tell a player his own entry. Letters and digits only; made on first use.
const std::string& programToken();
void setProgramToken(std::string token);

// The full address of a request to the current server.
std::string requestAddress(wire::Script script, const std::vector<std::string>& fields);

// What one request brought back.
struct Reply {
    std::string text;        // the reply body; "" after a failed transfer
    bool failed = false;     // the transfer failed
    std::string failureText; // " <number>: <description>" when it failed, else ""
};

// One request. A script with a time-out of its own sets it just before the request and puts the
// control back to 60 seconds just after; every other request runs with the current time-out.
Reply sendRequest(platform::inet::Inet& inet, wire::Script script, const std::vector<std::string>& fields);

// One post into the opponent's mailbox (the trimmed key, the kind, the payload), with the kind's
// time-out rule (QUIT 20 seconds, then back to 60).
Reply sendPost(platform::inet::Inet& inet, std::string_view outboxKey, wire::PostKind kind,
               std::string_view payload = {});

// What the player chose when entering the waiting room.
struct WaitingRoomEntry {
    std::string userName;
    std::string userLocation;
    int played = 0;
    int won = 0;
    bool privateGame = false;
    std::string password;    // only sent for a private game
    int waitSeconds = 300;   // 120, 300, 600 or 900
};

// joinwait's eight fields: token, name, location, played, won, "YES"/"NO", the trimmed password
// or "none" for a public game (whatever was typed), the wait.
std::vector<std::string> joinWaitFields(const WaitingRoomEntry& entry);
// joingame's three fields: the game number, the token, the trimmed password ("" when public).
std::vector<std::string> joinGameFields(std::string_view gameId, std::string_view password);

// readwait: the waiting list (20 s).
Reply fetchWaitingList(platform::inet::Inet& inet);
// joinwait: the own entry into the waiting room (40 s).
Reply enterWaitingRoom(platform::inet::Inet& inet, const WaitingRoomEntry& entry);
// joingame: a listed game (60 s, and it stays at 60).
Reply joinListedGame(platform::inet::Inet& inet, std::string_view gameId, std::string_view password);
// exitwait: withdraws the own entry; sends the inbox key's bare game number.
Reply withdrawEntry(platform::inet::Inet& inet, std::string_view inboxKey);
// getdata: the own mailbox.
Reply fetchMailbox(platform::inet::Inet& inet, std::string_view inboxKey);
// updates: asks whether the version is current (15 s).
Reply checkVersion(platform::inet::Inet& inet, std::string_view appVersion);

// One attempt at posting a move; true when the server wrote it ("WRITE*OK" anywhere).
bool postMove(platform::inet::Inet& inet, std::string_view outboxKey, char letter, int cell);
// A chat line, trimmed of blanks.
Reply postChat(platform::inet::Inet& inet, std::string_view outboxKey, std::string_view line);
// The own photo link, trimmed.
Reply postPhotoLink(platform::inet::Inet& inet, std::string_view outboxKey, std::string_view url);
// The player block: START from the joiner, DATA from the host.
Reply postPlayerInfo(platform::inet::Inet& inet, std::string_view outboxKey, wire::PostKind kind,
                     const wire::PlayerInfoBlock& block);
// QUIT (20 s, then back to 60).
Reply postQuit(platform::inet::Inet& inet, std::string_view outboxKey);

} // namespace netplay
