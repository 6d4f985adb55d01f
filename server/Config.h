#pragma once
// Every bound and time-out of the server in one place; the command line can change the bounds.
#include <cstddef>
#include <cstdint>
#include <string>

namespace server {

struct Limits {
    std::size_t maxTargetBytes = 4096;   // a request line's target; longer ones are refused unread
    std::size_t roomCapacity = 1000;     // waiting entries listed at once
    std::size_t maxGames = 250000;       // games held at once, waiting and joined
    std::size_t mailboxCapacity = 64;    // records queued for one side
    std::size_t maxNameChars = 25;       // name and location
    std::size_t maxTokenChars = 64;      // the program's per-run token
    std::size_t maxPasswordChars = 64;
    std::size_t maxChatChars = 500;
    std::size_t maxLinkChars = 1000;
};

struct Timing {
    std::int64_t goneAfterMs = 120'000;      // a side without a poll for this long has left
    std::int64_t idleRemoveMs = 30 * 60'000; // a game without any request for this long is removed
};

struct ServiceConfig {
    Limits limits;
    Timing timing;
    std::string currentVersion = "1.1";
};

} // namespace server
