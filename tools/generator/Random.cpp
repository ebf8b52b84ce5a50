#include "generator/Random.h"

#include "course/CourseRandom.h"

#include <cmath>

namespace datagen {

namespace {
const uint64_t increment = 1442695040888963407ULL; // odd; the data generator's one stream
}

// The numbers start two steps on from the seed.
Random::Random(uint64_t seed) : state(seed)
{
    next();
    next();
}

uint32_t Random::next()
{
    return vantor::scene::permutedCongruentialStep(state, increment);
}

float Random::uniform()
{
    return float(next() >> 8) * (1.0f / 16777216.0f);
}

float Random::range(float low, float high)
{
    return low + (high - low) * uniform();
}

int Random::below(int count)
{
    return count <= 0 ? 0 : int(next() % uint32_t(count));
}

uint32_t hash3(int x, int y, int z, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B1u;
    h ^= uint32_t(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= uint32_t(y) * 0xC2B2AE3Du;
    h = (h << 17) | (h >> 15);
    h ^= uint32_t(z) * 0x27D4EB2Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hashUnit(int x, int y, uint32_t seed)
{
    return float(hash3(x, y, 0, seed) >> 8) * (1.0f / 16777216.0f);
}

namespace {

int wrap(int value, int period)
{
    if (period <= 0)
        return value;
    int r = value % period;
    return r < 0 ? r + period : r;
}

float smooth(float t)
{
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

} // namespace

float valueNoise(float x, float y, uint32_t seed, int periodX, int periodY)
{
    float fx = std::floor(x), fy = std::floor(y);
    int ix = int(fx), iy = int(fy);
    float tx = smooth(x - fx), ty = smooth(y - fy);
    int x0 = wrap(ix, periodX), x1 = wrap(ix + 1, periodX);
    int y0 = wrap(iy, periodY), y1 = wrap(iy + 1, periodY);
    float a = hashUnit(x0, y0, seed), b = hashUnit(x1, y0, seed);
    float c = hashUnit(x0, y1, seed), d = hashUnit(x1, y1, seed);
    float top = a + (b - a) * tx;
    float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float fractalNoise(float x, float y, uint32_t seed, int octaves, int periodX, int periodY)
{
    float sum = 0.0f, weight = 1.0f, total = 0.0f, frequency = 1.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * valueNoise(x * frequency, y * frequency, seed + uint32_t(i) * 101u,
                                   periodX > 0 ? periodX << i : 0, periodY > 0 ? periodY << i : 0);
        total += weight;
        weight *= 0.5f;
        frequency *= 2.0f;
    }
    return sum / total;
}

CellPoint cellPoint(int i, int j, uint32_t seed, int periodX, int periodY)
{
    CellPoint point;
    point.id = hash3(wrap(i, periodX), wrap(j, periodY), 7, seed);
    point.x = float(i) + 0.15f + 0.7f * float(point.id & 0xFFFF) / 65535.0f;
    point.y = float(j) + 0.15f + 0.7f * float(point.id >> 16) / 65535.0f;
    return point;
}

CellSample cellNoiseOver(float x, float y, const CellCentre& centreOf)
{
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    CellSample best{1e9f, 1e9f, 0};
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            float px = 0.0f, py = 0.0f;
            uint32_t id = 0;
            centreOf(ix + dx, iy + dy, px, py, id);
            float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
            if (d < best.nearest) {
                best.second = best.nearest;
                best.nearest = d;
                best.cellId = id;
            } else if (d < best.second) {
                best.second = d;
            }
        }
    }
    return best;
}

CellSample cellNoise(float x, float y, uint32_t seed, int periodX, int periodY)
{
    return cellNoiseOver(x, y, [&](int i, int j, float& px, float& py, uint32_t& id) {
        CellPoint point = cellPoint(i, j, seed, periodX, periodY);
        px = point.x;
        py = point.y;
        id = point.id;
    });
}

} // namespace datagen
