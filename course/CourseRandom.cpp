#include "course/CourseRandom.h"

namespace vantor::scene {

namespace {
const uint64_t multiplier = 6364136223846793005u;
}

CourseRandom::CourseRandom(uint64_t seed, uint64_t stream) : state(0), increment((stream << 1u) | 1u)
{
    next();
    state += seed;
    next();
}

uint32_t permutedCongruentialStep(uint64_t& state, uint64_t increment)
{
    const uint64_t old = state;
    state = old * multiplier + increment;
    const uint32_t shifted = uint32_t(((old >> 18u) ^ old) >> 27u);
    const uint32_t rotation = uint32_t(old >> 59u);
    return (shifted >> rotation) | (shifted << ((32u - rotation) & 31u));
}

uint32_t CourseRandom::next()
{
    return permutedCongruentialStep(state, increment);
}

uint32_t CourseRandom::below(uint32_t bound)
{
    // Numbers under 2^32 mod bound would come up once more often than the rest: draw again.
    const uint32_t threshold = uint32_t(-bound) % bound;
    for (;;) {
        const uint32_t number = next();
        if (number >= threshold)
            return number % bound;
    }
}

int CourseRandom::between(int low, int high)
{
    return low + int(below(uint32_t(high - low) + 1u));
}

bool CourseRandom::chance(int perMille)
{
    return int(below(1000u)) < perMille;
}

} // namespace vantor::scene
