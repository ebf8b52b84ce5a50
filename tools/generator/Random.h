#pragma once
#include <cstdint>
#include <functional>

// Deterministic randomness for the data generator. Everything here is plain integer and
// float arithmetic of our own, so the same seed gives the same numbers with any compiler
// or standard library (std:: distributions differ between library versions).
namespace datagen {

// A small PCG32 generator: the course generator's step (course/CourseRandom.h) on a stream
// of its own.
class Random {
public:
    explicit Random(uint64_t seed);
    uint32_t next();
    float uniform();                 // [0, 1)
    float range(float low, float high);
    int below(int count);            // [0, count)

private:
    uint64_t state;
};

// A well-mixed 32-bit hash of a lattice point and a seed.
uint32_t hash3(int x, int y, int z, uint32_t seed);
// The hash as a float in [0, 1).
float hashUnit(int x, int y, uint32_t seed);

// Smoothly interpolated value noise in [0, 1]. With a period > 0 the noise repeats every
// `period` units on that axis (lattice coordinates wrap), which makes tileable textures.
float valueNoise(float x, float y, uint32_t seed, int periodX = 0, int periodY = 0);
// Sum of `octaves` value-noise layers, each twice the frequency and half the weight of the
// last; the result is normalised to [0, 1]. Periods double with the frequency.
float fractalNoise(float x, float y, uint32_t seed, int octaves, int periodX = 0, int periodY = 0);

// The jittered feature point of lattice cell (i, j), in lattice units, and its id. The point
// keeps to the middle of its cell (0.15 .. 0.85 across on each axis); with a period > 0,
// cells one period apart share their id and their place within the cell.
struct CellPoint {
    float x, y;  // lattice units
    uint32_t id; // hash of the cell and the seed (stable per cell)
};
CellPoint cellPoint(int i, int j, uint32_t seed, int periodX = 0, int periodY = 0);

// Cellular (Worley) noise: one cellPoint per lattice cell.
struct CellSample {
    float nearest;     // distance to the nearest feature point
    float second;      // distance to the second nearest
    uint32_t cellId;   // hash of the nearest point's cell (stable per cell)
};
CellSample cellNoise(float x, float y, uint32_t seed, int periodX = 0, int periodY = 0);
// The same over feature points of one's own: centreOf(i, j, px, py, id) gives lattice cell
// (i, j)'s point and its id. Only the 3 x 3 cells around (x, y) are searched, so each
// point must keep to the middle of its cell as cellPoint's do (0.15 .. 0.85).
using CellCentre = std::function<void(int i, int j, float& px, float& py, uint32_t& id)>;
CellSample cellNoiseOver(float x, float y, const CellCentre& centreOf);

} // namespace datagen
