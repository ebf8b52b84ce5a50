#pragma once
#include "course/ObstacleShape.h"

#include <array>
#include <glm/vec2.hpp>
#include <vector>

namespace vantor::scene {

struct LevelElement;
struct CoursePiece;
class WalkableTop;

// An obstacle where the game puts it, seen from above in its piece's own coordinates.
struct PlacedObstacle {
    int slot;       // index into levelSlots
    int code;       // item code, 1 to 4
    glm::vec2 low;  // (x, z) corner of the placed collision shape's extent with the smallest values
    glm::vec2 high; // the opposite corner
    float height;   // how far its top stands above the walkable top
};

// The obstacles of `element` with the collision shapes of `shapes` (by item code - 1),
// placed in world space as the game places them (the slot's item matrix and
// placeCollisionVertex), then seen from `piece`. The game turns pieces by quarter turns
// only, so the placed boxes stay upright rectangles in the piece's coordinates. Codes whose
// shape is empty are left out.
std::vector<PlacedObstacle> placeObstacles(const LevelElement& element, const CoursePiece& piece,
                                           const std::array<ObstacleShape, 4>& shapes);

// A step lower than the ball's radius meets the ball below its centre, so the ball climbs
// it and rolls over (the sand heap); a higher one stops it.
bool ballRollsOver(const PlacedObstacle& obstacle);

// Whether the ball can roll across a piece past its obstacles, from the edge it enters by
// to the edge it leaves by (or, on the end piece, to where the camera behind it reaches the
// goal). The ball's centre may go
// where it is over the walkable top, at least passageEdgeMargin inside the top's edge, and
// not within the ball's radius of an obstacle it cannot roll over. That free space is
// sampled on a grid of passageGridStep over the piece's cell and searched from the entry
// edge.
class PiecePassage {
public:
    // The walkable top is sampled once here; each test then only marks the obstacles.
    explicit PiecePassage(const WalkableTop& top);
    PiecePassage() = default; // empty: nothing sampled yet
    bool empty() const { return onTop.empty(); }

    // `entrySide` and `exitSide` are unit steps in the piece's own coordinates ((0, 1) is
    // its +z edge); an exitSide of (0, 0) means the goal at the piece's origin. False when
    // the ball cannot pass, with `closing` set to the indices into `obstacles` of those
    // that stop it. `obstacles` may hold the neighbours' too, placed in this piece's
    // coordinates: those near a shared edge narrow the way across it.
    // The ball comes in at the points of the entry edge where `entryOpen` holds (edge
    // points as below; all of them when null); `exitReached`, when given, gets the points of
    // the exit edge it reaches.
    bool passable(glm::ivec2 entrySide, glm::ivec2 exitSide, const std::vector<PlacedObstacle>& obstacles,
                  std::vector<int>& closing, const std::vector<unsigned char>* entryOpen = nullptr,
                  std::vector<unsigned char>* exitReached = nullptr) const;

private:
    std::vector<unsigned char> onTop; // per grid point: 1 where the ball's centre may be
};

const float passageGridStep = 0.05f;   // world units between grid points
const float passageEdgeMargin = 0.1f;  // world units the ball's centre keeps inside the top's edge

// Edge points: the search grid's points along one edge of a piece's cell, one byte each
// (1: the ball's centre can be there), in the order of the piece's own coordinate along that edge (x on
// the +z and -z edges, z on the +x and -x edges), from its low end.
const int edgePointCount = 120; // the cell's 6 units at passageGridStep

// The index among edgePointCount of the edge point at `local` (the piece's coordinates) on
// the edge toward `side`: how two pieces that share an edge match their points.
int edgePointIndex(glm::vec2 local, glm::ivec2 side);
// Where that point lies in the piece's coordinates.
glm::vec2 edgePointPosition(int index, glm::ivec2 side);

} // namespace vantor::scene
