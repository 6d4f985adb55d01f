#include "server/Clock.h"

#include <chrono>

namespace server {

std::int64_t SystemClock::nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace server
