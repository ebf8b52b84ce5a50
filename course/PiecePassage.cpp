#include "course/PiecePassage.h"

#include "course/CourseGeometry.h"
#include "course/WalkableTop.h"
#include "model/CollisionMesh.h"
#include "scene/AttemptStart.h"
#include "scene/LevelFile.h"

#include <algorithm>
#include <cmath>
#include <glm/common.hpp>
#include <glm/geometric.hpp>

namespace vantor::scene {

namespace {

// The grid covers the piece's cell; neighbouring pieces meet at its edges. A roller at the
// back of a piece reaches to 0.15 units from its edge, closer than the ball's radius, so
// the room along an edge depends on both pieces: the caller passes the neighbours'
// obstacles too, and carries the points of the edge the ball reaches from one piece to the
// next.
const int gridPoints = edgePointCount; // along each side of the cell
const glm::vec2 gridCorner(-cellPitch * 0.5f);

glm::vec2 gridPoint(int i, int j)
{
    return gridCorner + passageGridStep * glm::vec2(float(i) + 0.5f, float(j) + 0.5f);
}

// Distance from a point to an upright rectangle, 0 inside it.
float distanceToBox(glm::vec2 point, glm::vec2 low, glm::vec2 high)
{
    return glm::length(glm::max(glm::max(low - point, point - high), glm::vec2(0.0f)));
}

bool stopsBall(const PlacedObstacle& obstacle, glm::vec2 point)
{
    return !ballRollsOver(obstacle) && distanceToBox(point, obstacle.low, obstacle.high) < heroRadius;
}

// Grid points on the edge of the cell toward `side`.
bool onEdge(int i, int j, glm::ivec2 side)
{
    return (side.x > 0 && i == gridPoints - 1) || (side.x < 0 && i == 0) || (side.y > 0 && j == gridPoints - 1) ||
           (side.y < 0 && j == 0);
}

// The place along its edge of a grid point on the edge toward `side`.
int alongEdge(int i, int j, glm::ivec2 side)
{
    return side.y != 0 ? i : j;
}

// On the end piece the way leads to where the attempt is won: the camera, behind the ball
// as it rolls in, comes within reach of the goal at the piece's origin. The camera's offset
// turns with the ball's heading, so this holds in the piece's coordinates as in the world.
bool goalWonAt(glm::vec2 point, glm::ivec2 entrySide)
{
    const glm::vec2 travel = -glm::vec2(entrySide);
    const float yaw = std::atan2(-travel.x, -travel.y); // puts the camera's (0, 2, 5) behind the ball
    const glm::vec3 ball(point.x, heroRadius, point.y);
    return goalReachedFrom(followCameraPosition(ball, yaw), CourseGoal{true, glm::vec3(0.0f)});
}

bool atTarget(int i, int j, glm::ivec2 entrySide, glm::ivec2 exitSide)
{
    if (exitSide == glm::ivec2(0))
        return goalWonAt(gridPoint(i, j), entrySide);
    return onEdge(i, j, exitSide);
}

// What a point of the search grid holds.
const unsigned char offTop = 0, freePoint = 1, stoppedPoint = 2, reachedPoint = 3;

// Spreads over the free points of `grid` from those where `start` holds, marking each point
// it reaches; true once it comes to one where `target` holds, where it stops if
// `stopAtTarget`. Notes in `met` each obstacle that stops it, on the start points too.
template <typename Start, typename Target>
bool spread(std::vector<unsigned char>& grid, Start start, Target target, const std::vector<PlacedObstacle>& obstacles,
            std::vector<bool>& met, bool stopAtTarget)
{
    auto meet = [&](int i, int j) {
        for (size_t k = 0; k < obstacles.size(); ++k)
            met[k] = met[k] || stopsBall(obstacles[k], gridPoint(i, j));
    };
    std::vector<int> queue;
    for (int j = 0; j < gridPoints; ++j)
        for (int i = 0; i < gridPoints; ++i) {
            if (!start(i, j))
                continue;
            unsigned char& point = grid[size_t(j * gridPoints + i)];
            if (point == stoppedPoint)
                meet(i, j);
            if (point == freePoint) {
                point = reachedPoint;
                queue.push_back(j * gridPoints + i);
            }
        }
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    bool reached = false;
    for (size_t next = 0; next < queue.size(); ++next) {
        const int i = queue[next] % gridPoints, j = queue[next] / gridPoints;
        if (target(i, j)) {
            reached = true;
            if (stopAtTarget)
                return true;
        }
        for (const auto& step : steps) {
            const int ni = i + step[0], nj = j + step[1];
            if (ni < 0 || nj < 0 || ni >= gridPoints || nj >= gridPoints)
                continue;
            unsigned char& point = grid[size_t(nj * gridPoints + ni)];
            if (point == freePoint) {
                point = reachedPoint;
                queue.push_back(nj * gridPoints + ni);
            } else if (point == stoppedPoint) {
                meet(ni, nj);
            }
        }
    }
    return reached;
}

} // namespace

std::vector<PlacedObstacle> placeObstacles(const LevelElement& element, const CoursePiece& piece,
                                           const std::array<ObstacleShape, 4>& shapes)
{
    std::vector<PlacedObstacle> placed;
    const glm::mat4 wallMatrix = wallMatrixFor(element);
    for (size_t s = 0; s < levelSlots.size(); ++s) {
        const int code = element.items[s];
        if (itemKindFor(code) != ItemKind::Obstacle || shapes[size_t(code - 1)].empty())
            continue;
        const glm::mat4 itemMatrix =
            itemMatrixFor(levelSlots[s].row, levelSlots[s].column, slotPrototypeMatrix(), wallMatrix);
        PlacedObstacle obstacle{int(s), code, glm::vec2(1e30f), glm::vec2(-1e30f), -1e30f};
        for (const glm::vec3& vertex : shapes[size_t(code - 1)].vertices) {
            const glm::vec3 world = placeCollisionVertex(vertex, itemMatrix);
            const glm::vec2 local = toLocal(piece, world);
            obstacle.low = glm::min(obstacle.low, local);
            obstacle.high = glm::max(obstacle.high, local);
            obstacle.height = std::max(obstacle.height, world.y - piece.origin.y);
        }
        placed.push_back(obstacle);
    }
    return placed;
}

bool ballRollsOver(const PlacedObstacle& obstacle)
{
    return obstacle.height < heroRadius;
}

PiecePassage::PiecePassage(const WalkableTop& top)
{
    const std::vector<unsigned char> covered = top.coverage(gridCorner, passageGridStep, gridPoints, gridPoints);
    // Keep the points whose neighbours within the margin are covered too.
    const int reach = int(std::ceil(passageEdgeMargin / passageGridStep));
    onTop.assign(covered.size(), offTop);
    for (int j = 0; j < gridPoints; ++j)
        for (int i = 0; i < gridPoints; ++i) {
            bool inside = covered[size_t(j * gridPoints + i)] != 0;
            for (int dj = -reach; dj <= reach && inside; ++dj)
                for (int di = -reach; di <= reach && inside; ++di) {
                    if (float(di * di + dj * dj) * passageGridStep * passageGridStep >
                        passageEdgeMargin * passageEdgeMargin)
                        continue;
                    // Past the cell the top goes on where the path does; the edge search
                    // never leaves the cell, so a point there counts as covered.
                    const int ni = i + di, nj = j + dj;
                    if (ni >= 0 && nj >= 0 && ni < gridPoints && nj < gridPoints)
                        inside = covered[size_t(nj * gridPoints + ni)] != 0;
                }
            onTop[size_t(j * gridPoints + i)] = inside ? freePoint : offTop;
        }
}

bool PiecePassage::passable(glm::ivec2 entrySide, glm::ivec2 exitSide, const std::vector<PlacedObstacle>& obstacles,
                            std::vector<int>& closing, const std::vector<unsigned char>* entryOpen,
                            std::vector<unsigned char>* exitReached) const
{
    closing.clear();
    auto entering = [&](int i, int j) {
        return onEdge(i, j, entrySide) && (entryOpen == nullptr || (*entryOpen)[size_t(alongEdge(i, j, entrySide))]);
    };
    auto leaving = [&](int i, int j) { return atTarget(i, j, entrySide, exitSide); };
    std::vector<unsigned char> grid(onTop);
    for (const PlacedObstacle& obstacle : obstacles) {
        if (ballRollsOver(obstacle))
            continue;
        const glm::vec2 low = (obstacle.low - heroRadius - gridCorner) / passageGridStep;
        const glm::vec2 high = (obstacle.high + heroRadius - gridCorner) / passageGridStep;
        for (int j = std::max(0, int(std::floor(low.y))); j < std::min(gridPoints, int(std::ceil(high.y))); ++j)
            for (int i = std::max(0, int(std::floor(low.x))); i < std::min(gridPoints, int(std::ceil(high.x))); ++i) {
                unsigned char& point = grid[size_t(j * gridPoints + i)];
                if (point == freePoint && stopsBall(obstacle, gridPoint(i, j)))
                    point = stoppedPoint;
            }
    }

    std::vector<bool> fromEntry(obstacles.size(), false);
    const bool passes = spread(grid, entering, leaving, obstacles, fromEntry, exitReached == nullptr);
    if (exitReached != nullptr) {
        exitReached->assign(size_t(edgePointCount), 0);
        for (int j = 0; j < gridPoints; ++j)
            for (int i = 0; i < gridPoints; ++i) {
                const bool reached = grid[size_t(j * gridPoints + i)] == reachedPoint;
                if (reached && exitSide != glm::ivec2(0) && onEdge(i, j, exitSide))
                    (*exitReached)[size_t(alongEdge(i, j, exitSide))] = 1;
            }
    }
    if (passes)
        return true;
    // The ones in the way are those that the ball meets from both sides, and the previous
    // piece's that it meets coming in across the joint; failing any (two rows one behind
    // the other), those it meets coming in.
    std::vector<bool> fromExit(obstacles.size(), false);
    std::vector<unsigned char> fresh(onTop);
    for (size_t k = 0; k < grid.size(); ++k)
        fresh[k] = grid[k] == reachedPoint ? freePoint : grid[k];
    spread(fresh, leaving, [](int, int) { return false; }, obstacles, fromExit, false);
    auto pastEntry = [&](const PlacedObstacle& obstacle) {
        const glm::vec2 edge = -gridCorner * glm::vec2(entrySide);
        return (entrySide.x > 0 && obstacle.low.x > edge.x) || (entrySide.x < 0 && obstacle.high.x < edge.x) ||
               (entrySide.y > 0 && obstacle.low.y > edge.y) || (entrySide.y < 0 && obstacle.high.y < edge.y);
    };
    for (size_t k = 0; k < obstacles.size(); ++k)
        if (fromEntry[k] && (fromExit[k] || pastEntry(obstacles[k])))
            closing.push_back(int(k));
    for (size_t k = 0; k < obstacles.size() && closing.empty(); ++k)
        if (fromEntry[k])
            closing.push_back(int(k));
    return false;
}

int edgePointIndex(glm::vec2 local, glm::ivec2 side)
{
    const float along = side.y != 0 ? local.x : local.y;
    return std::max(0, std::min(edgePointCount - 1, int(std::floor((along - gridCorner.x) / passageGridStep))));
}

glm::vec2 edgePointPosition(int index, glm::ivec2 side)
{
    const float along = gridCorner.x + passageGridStep * (float(index) + 0.5f);
    const float across = -gridCorner.x - 0.5f * passageGridStep;
    return side.y != 0 ? glm::vec2(along, float(side.y) * across) : glm::vec2(float(side.x) * across, along);
}

} // namespace vantor::scene
