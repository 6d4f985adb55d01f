#pragma once
// Every bound and time-out of the server in one place; the command line can change the bounds.
#include "netplay/wire/Requests.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace server {

struct Limits {
    // A request line's target; longer ones are refused unread. It admits the longest chat line
    // even when every character takes four bytes and each byte is sent as "%XX".
    std::size_t maxTargetBytes = 16 * 1024;
    std::size_t roomCapacity = 1000;     // waiting entries listed at once
    std::size_t maxGames = 250000;       // games held at once, waiting and joined
    std::size_t mailboxCapacity = 64;    // records queued for one side
    std::size_t maxNameChars = 25;       // name and location
    std::size_t maxTokenChars = 64;      // the program's per-run token
    std::size_t maxPasswordChars = 64;
    std::size_t maxChatChars = netplay::wire::kChatLineMaxChars; // as many as the game's chat box holds
    std::size_t maxLinkChars = 1000;
};

struct Timing {
    // A side that sends nothing for this long has left. The game stops polling while one of its
    // message boxes waits for an OK, so this is far longer than any poll interval.
    std::int64_t goneAfterMs = 10 * 60'000;
    std::int64_t idleRemoveMs = 30 * 60'000; // a game without any request for this long is removed
};

struct ServiceConfig {
    Limits limits;
    Timing timing;
    std::string currentVersion = "1.1";
};

} // namespace server
