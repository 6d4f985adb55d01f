#pragma once
// Random numbers that go round a fixed cycle, whatever asks for them: long games stay
// predictable without counting every draw.
#include "platform/seams/Random.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace testing_support {

class CyclingRandom final : public platform::Random {
public:
    explicit CyclingRandom(std::vector<double> cycle) : m_cycle(std::move(cycle)) {}
    double next() override {
        const double d = m_cycle[m_at % m_cycle.size()];
        ++m_at;
        return d;
    }
    void reseedFromClock() override {}

private:
    std::vector<double> m_cycle;
    std::size_t m_at = 0;
};

} // namespace testing_support
