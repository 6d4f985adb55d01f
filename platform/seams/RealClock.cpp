#include "platform/seams/Clock.h"

#include <chrono>
#include <ctime>

namespace platform {

double RealClock::secondsSinceMidnight() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    auto sub = duration_cast<microseconds>(now.time_since_epoch()).count() % 1000000;
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + sub / 1e6;
}

std::int64_t RealClock::monotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace platform
