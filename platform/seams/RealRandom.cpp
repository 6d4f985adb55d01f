#include "platform/seams/Random.h"

#include <chrono>

namespace platform {
namespace {

// xorshift128+ : small, fast, and good enough for dealing letters.
unsigned long long step(unsigned long long (&s)[2]) {
    unsigned long long x = s[0];
    const unsigned long long y = s[1];
    s[0] = y;
    x ^= x << 23;
    s[1] = x ^ y ^ (x >> 17) ^ (y >> 26);
    return s[1] + y;
}

unsigned long long splitmix(unsigned long long& x) {
    unsigned long long z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

RealRandom::RealRandom() { reseedFromClock(); }

double RealRandom::next() { return (step(m_state) >> 11) * (1.0 / 9007199254740992.0); }

void RealRandom::reseedFromClock() {
    // The reseed counter keeps two reseeds in one clock tick from restarting the same sequence.
    unsigned long long seed = static_cast<unsigned long long>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    seed ^= (++m_reseeds) * 0xD1B54A32D192ED03ULL;
    seed ^= m_state[0];
    m_state[0] = splitmix(seed);
    m_state[1] = splitmix(seed) | 1;
}

} // namespace platform
