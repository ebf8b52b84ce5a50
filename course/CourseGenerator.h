#pragma once
#include "course/CourseName.h"
#include "course/CourseRoute.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vantor::scene {

// A course made from a seed and a difficulty, passable by construction: the route is a walk
// on the grid that never heads back toward the camera (+z), so it can never meet itself, and
// every piece keeps an open way, a chain of slots without obstacles from the lane the ball
// comes in on to the lane it leaves on, which the next piece takes up. Obstacles and fruit
// go in the other slots. Everything is integer arithmetic on the grid and the course text is
// written by the route writer, so a seed and difficulty give the same bytes on every machine
// and build.
//
// Lanes count across the way of travel from the left, 0 to 2; thirds count along it, 0 to 2.

// What a difficulty turns. Chances are in thousandths.
struct CourseDials {
    int minPieces;              // wall pieces at least, the end piece included
    int maxPieces;              // wall pieces at most, the end piece included
    int curveChance;            // that a piece after the first two is a curve
    int obstaclePieceChance;    // that a piece after the first two carries obstacles
    int minObstacles;           // at least, on a piece that carries them
    int maxObstacles;           // at most, on a piece that carries them
    bool obstaclesInOneLane;    // they keep to one lane beside the open way, so two lanes stay open
    bool obstaclesOnCurves;     // curves carry obstacles too
    int laneChangeChance;       // that the open way moves to another lane on a straight
    int rollerChance;           // that an obstacle is a roller (long along the lane, so it closes
                                // the room between the thirds); otherwise a fence, a wooden
                                // barricade or a sand heap, as likely as each other
    int firstFruitChance;       // that a piece holds a fruit
    int secondFruitChance;      // that it holds a second one
    int offWayFruitChance;      // that a fruit lies off the open way: beside obstacles, in the outer lanes
};

const CourseDials& courseDials(Difficulty difficulty);

// The slots (levelSlots order) that a straight piece keeps free for its open way: lane
// `entryLane` up to third `changeThird`, across that third to `exitLane`, and on along it.
// A `changeThird` of -1 keeps the entry lane throughout (the exit lane must then equal it).
std::array<bool, 9> openWayOnStraight(int entryLane, int exitLane, int changeThird);

// The slots a curve turning `turn` ('L' or 'R') keeps free for a ball that stays in `lane`:
// the lanes run round the curve's corner as arcs, and these are the slots near the arc.
std::array<bool, 9> openWayOnCurve(char turn, int lane);

// The route of the course named by `seed` and `difficulty`.
std::vector<CourseStep> generateRoute(uint32_t seed, Difficulty difficulty);

// Its level file text.
std::string generateCourse(uint32_t seed, Difficulty difficulty);

} // namespace vantor::scene
