#pragma once
#include <cstdint>

namespace vantor::scene {

// One step of the permuted congruential generator below, which the data generator's
// numbers take too: advances `state` by one congruential step with `increment` (odd) and
// returns the permuted output of the state it had.
uint32_t permutedCongruentialStep(uint64_t& state, uint64_t increment);

// The course generator's random numbers: a permuted congruential generator (32-bit output,
// 64-bit state), written out here so that a seed gives the same numbers on every machine,
// compiler and standard library. Integer arithmetic only.
class CourseRandom {
public:
    // `stream` picks one of 2^63 independent sequences for the same seed.
    CourseRandom(uint64_t seed, uint64_t stream);

    uint32_t next();
    // A number from 0 to bound - 1, each as likely as the others; bound must not be 0.
    uint32_t below(uint32_t bound);
    // A number from low to high, both included; low <= high.
    int between(int low, int high);
    // True with a chance of perMille in a thousand.
    bool chance(int perMille);

private:
    uint64_t state;     // advances by one congruential step per number
    uint64_t increment; // odd; the stream
};

} // namespace vantor::scene
