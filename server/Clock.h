#pragma once
// The server's clock: wall-clock milliseconds, so that deadlines kept in the database still mean
// the same after a restart. Tests drive a clock of their own.
#include <cstdint>

namespace server {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() = 0;
};

class SystemClock final : public Clock {
public:
    std::int64_t nowMs() override;
};

} // namespace server
