#pragma once

namespace platform {

class Random {
public:
    virtual ~Random() = default;
    // The next draw, in [0, 1).
    virtual double next() = 0;
    // Starts a new sequence from the clock.
    virtual void reseedFromClock() = 0;
};

// A Mersenne twister whose reseeds mix the clock with a counter, so two reseeds within the same
// clock tick still give different sequences.
class RealRandom final : public Random {
public:
    RealRandom();
    double next() override;
    void reseedFromClock() override;

private:
    unsigned long long m_state[2] = {0, 0};
    unsigned long long m_reseeds = 0;
};

} // namespace platform
