#include "tooling/Autopilot.h"

#include "game/Game.h"
#include "model/CollisionMesh.h"
#include "model/WallPiece.h"
#include "platform/GL.h"
#include "platform/Window.h"
#include "scene/Camera.h"
#include "scene/GameState.h"
#include "scene/Hero.h"
#include "scene/Ingredient.h"
#include "scene/Obstacle.h"
#include "tooling/ScriptedInput.h"

#include <btBulletDynamicsCommon.h>
#include <cmath>
#include <glm/geometric.hpp>

using namespace vantor::scene;

namespace {

const float frameTime = 1.0f / 60.0f;     // seconds; the fixed step the autopilot is run at
const float planStep = 0.2f;              // world units of path between planned points
const float widestOffset = 4.0f;          // world units the plan may stray from the centre line:
                                          // a curve's back slots lie 2.2 to 3.6 units outside it;
                                          // elsewhere the walkable top keeps the line nearer
const float nearPiece = 6.0f;             // world units from a piece's origin within which an item
                                          // can touch a point planned on that piece
const float offsetStep = 0.1f;            // world units between the offsets it weighs
const float ballRadius = 0.5f;            // the hero's sphere
const float edgeMargin = 0.55f;           // room the ball's centre keeps from a wall's edge
const float obstacleMargin = 0.15f;       // room the ball keeps from an obstacle's box
const int steepestChange = 3;             // offset steps the line may move between planned points
const int curveSteepness = 10;            // times steeper a curve's line may be: there the ball may
                                          // have to cross its slot rows almost straight out from the
                                          // corner to reach the fruit in all of them
const int straightReach = 2;              // times steepestChange a straight's line may move where what it
                                          // gains pays for the dearer move: to reach a fruit in an outer
                                          // lane between two obstacles in the middle lane, the line must
                                          // cross that lane in the short gap between them
const float fruitReach = 0.6f;            // horizontal distance from a fruit's centre at which the ball
                                          // (radius 0.5, its centre 0.5 above the fruit's sphere of
                                          // 0.3) touches it
const float sureCatch = 0.15f;            // nearer than this the catch is sure, whatever the steering error
const float fruitReward = 200.0f;         // what passing through a fruit's centre is worth to the plan
const float cruiseSpeed = 3.5f;           // world units a second on a clear straight
const float creepSpeed = 0.35f;           // never slower than this while the goal is ahead
const float lateralAcceleration = 2.2f;   // world units a second squared allowed in a curve
const float lateralSpeed = 2.0f;          // world units a second allowed across the path
const float braking = 2.0f;               // world units a second squared when slowing down
const float keyThreshold = 0.08f;         // speed error (units/s) that calls for a push; one
                                          // frame's push changes the speed by about 0.15
const float lateralGain = 5.0f;           // sideways speed (units/s) a unit off the line asks for
const float leadTime = 0.15f;             // seconds ahead on the line the steering aims
const float cameraTurnRate = 2.5f;        // radians a second
const int stuckFrames = 150;              // frames without progress before a jump is tried
const int framesBetweenJumps = 180;        // so that one jump can land before the next

float wrapAngle(float angle)
{
    const float pi = 3.14159265f;
    while (angle > pi)
        angle -= 2.0f * pi;
    while (angle < -pi)
        angle += 2.0f * pi;
    return angle;
}

glm::vec2 flat(glm::vec3 v)
{
    return glm::vec2(v.x, v.z);
}

glm::vec3 toGlm(const btVector3& v)
{
    return glm::vec3(v.x(), v.y(), v.z());
}

// How far a point lies outside the box from `low` to `high`; 0 inside.
float boxDistance(glm::vec2 low, glm::vec2 high, glm::vec2 p)
{
    return glm::length(glm::max(glm::max(low - p, p - high), glm::vec2(0.0f)));
}

// How sure a ball `distance` from a fruit's centre is to touch it: 1 up to sureCatch, none
// from fruitReach on. Flat near the centre, so that a line that touches two fruit at once
// is worth as much as one through a single fruit's centre.
float catchChance(float distance)
{
    return std::fmax(0.0f, std::fmin(1.0f, (fruitReach - distance) / (fruitReach - sureCatch)));
}

int offsetCount()
{
    return int(std::lround(2.0f * widestOffset / offsetStep)) + 1;
}

float offsetOf(int index)
{
    return -widestOffset + offsetStep * float(index);
}

const float unreachable = 1e30f; // the cost of a line the ball cannot take

// What keeping `offset` index j costs where nothing else counts: the distance from the
// centre line, squared.
float centreCost(int j)
{
    return 0.3f * offsetOf(j) * offsetOf(j);
}

// The offset with the cheapest line, the first of equals.
int cheapestOffset(const std::vector<float>& cost)
{
    int best = 0;
    for (int k = 1; k < int(cost.size()); ++k)
        if (cost[size_t(k)] < cost[size_t(best)])
            best = k;
    return best;
}

bool anyReachable(const std::vector<float>& cost)
{
    bool reachable = false;
    for (float c : cost)
        reachable = reachable || c < unreachable;
    return reachable;
}

// The cheapest way from the step before into offset j, moving at most `reach` times
// steepestChange offsets, each offset moved costing more than the last, `steepness` times
// less where the line may be steeper; `from` gets the offset it comes from (j itself when
// none is reachable).
float cheapestArrival(const std::vector<float>& cost, int j, int reach, int steepness, int& from)
{
    const int offsets = int(cost.size());
    float best = unreachable;
    from = j;
    for (int d = -reach * steepestChange; d <= reach * steepestChange; ++d) {
        const int k = j + d;
        if (k < 0 || k >= offsets || cost[size_t(k)] >= unreachable)
            continue;
        const float moved = float(d) / float(steepness);
        const float c = cost[size_t(k)] + 0.5f * moved * moved;
        if (c < best) {
            best = c;
            from = k;
        }
    }
    return best;
}

// No way through this squeeze: every offset starts again from the cheapest line so far,
// so that the ball at least tries.
void restartFromCheapest(const std::vector<float>& cost, const std::vector<float>& pointCost,
                         std::vector<float>& next, int* cameFrom)
{
    const int best = cheapestOffset(cost);
    for (int j = 0; j < int(next.size()); ++j) {
        cameFrom[j] = best;
        next[size_t(j)] = (pointCost[size_t(j)] < unreachable ? pointCost[size_t(j)] : centreCost(j)) +
                          0.5f * float((j - best) * (j - best));
    }
}

} // namespace

Autopilot::Autopilot(Game* game) : path({}), game(game)
{
    readCourse();
    planLane();
    planSpeed();
    startAttempt();
}

void Autopilot::readCourse()
{
    // Pieces: the kind from the prototype a wall draws with, the turn from its matrix as
    // its collision walls were turned.
    std::vector<CoursePiece> pieces;
    for (WallPiece* wall : game->wallPieces) {
        WallKind kind = wall->prototype == game->endWallPrototype        ? WallKind::End
                        : wall->prototype == game->curveWallPrototype    ? WallKind::Curve
                        : wall->prototype == game->straightWallPrototype ? WallKind::Straight
                                                                         : WallKind::Unsupported;
        const float yaw = recogniseYaw(wall->modelMatrix);
        const int turns = int(std::lround(yaw / 1.5707964f));
        pieces.push_back(CoursePiece{kind, glm::vec3(wall->modelMatrix[3]), ((turns % 4) + 4) % 4});
    }
    path = CoursePath(pieces);

    WallPiece* prototypes[3] = {game->endWallPrototype, game->straightWallPrototype, game->curveWallPrototype};
    for (int k = 0; k < 3; ++k)
        if (prototypes[k] != nullptr)
            tops[k] = WalkableTop::fromCollisionMesh(prototypes[k]->collisionVertices, prototypes[k]->collisionTriangles);

    for (Obstacle* obstacle : game->obstacles) {
        Footprint box{glm::vec2(1e30f), glm::vec2(-1e30f), -1e30f};
        for (const glm::mat4& vertex : obstacle->model->collisionVertices) {
            const glm::vec3 corner(obstacle->modelMatrix * vertex[3]);
            box.low = glm::min(box.low, flat(corner));
            box.high = glm::max(box.high, flat(corner));
            box.top = std::fmax(box.top, corner.y);
        }
        if (box.top > -1e29f)
            footprints.push_back(box);
    }
    for (Ingredient* item : game->ingredients)
        fruit.push_back(item->position);
    findSideBySideFruit();

    // What each piece has near it, so that weighing a point looks at a few items rather
    // than at every item of a long course.
    footprintsNear.assign(path.segments.size(), {});
    fruitNear.assign(path.segments.size(), {});
    for (size_t s = 0; s < path.segments.size(); ++s) {
        const glm::vec3 origin = path.pieces[size_t(path.segments[s].piece)].origin;
        for (size_t k = 0; k < footprints.size(); ++k)
            if (boxDistance(footprints[k].low, footprints[k].high, flat(origin)) < nearPiece)
                footprintsNear[s].push_back(int(k));
        for (size_t k = 0; k < fruit.size(); ++k)
            if (glm::length(flat(fruit[k]) - flat(origin)) < nearPiece)
                fruitNear[s].push_back(int(k));
    }
}

void Autopilot::findSideBySideFruit()
{
    // A line scores a fruit at every planned point within its reach, so staying on one of
    // two fruit side by side in a row scores it over the whole reach, while a line that
    // sweeps from one to the other touches each only briefly and loses. Scoring the first
    // fruit only up to the row and the second only from it makes touching both worth twice
    // staying on either. The one nearer the centre line comes first: that is where a line
    // following the centre arrives.
    fruitRow.assign(fruit.size(), FruitRow{0, 0.0f});
    std::vector<PathCoordinates> at;
    for (const glm::vec3& item : fruit)
        at.push_back(path.locate(item));
    for (size_t a = 0; a < fruit.size(); ++a)
        for (size_t b = a + 1; b < fruit.size(); ++b) {
            const bool straight = path.segments[size_t(at[a].segment)].kind == WallKind::Straight &&
                                  path.segments[size_t(at[b].segment)].kind == WallKind::Straight;
            const float apart = std::fabs(at[a].across - at[b].across);
            if (!straight || std::fabs(at[a].along - at[b].along) > 0.5f * planStep ||
                std::fabs(fruit[a].y - fruit[b].y) > 0.5f || apart <= 2.0f * fruitReach || apart > 3.0f)
                continue;
            const bool aFirst = std::fabs(at[a].across) <= std::fabs(at[b].across);
            fruitRow[a] = FruitRow{aFirst ? -1 : 1, at[a].along};
            fruitRow[b] = FruitRow{aFirst ? 1 : -1, at[b].along};
        }
}

bool Autopilot::nearSideBySideRow(float along) const
{
    for (const FruitRow& row : fruitRow)
        if (row.half != 0 && std::fabs(along - row.along) < fruitReach + planStep)
            return true;
    return false;
}

bool Autopilot::ballFits(glm::vec3 world, int segment, float margin) const
{
    // Every point around the ball's centre must lie on the top of this piece or a neighbour:
    // at a joint the ball rests on both.
    auto onSomeTop = [&](glm::vec3 point) {
        for (int k = std::max(0, segment - 1); k <= std::min(int(path.pieces.size()) - 1, segment + 1); ++k) {
            const CoursePiece& piece = path.pieces[size_t(k)];
            if (piece.kind == WallKind::Unsupported || std::fabs(point.y - piece.origin.y) > 0.5f)
                continue;
            const glm::vec2 local = toLocal(piece, point);
            if (std::fabs(local.x) > 3.0f || std::fabs(local.y) > 3.0f)
                continue;
            if (tops[int(piece.kind)].holds(local))
                return true;
        }
        return false;
    };
    if (!onSomeTop(world))
        return false;
    for (int k = 0; k < 8; ++k) {
        const float angle = float(k) * 0.78539816f;
        if (!onSomeTop(world + margin * glm::vec3(std::cos(angle), 0.0f, std::sin(angle))))
            return false;
    }
    return true;
}

float Autopilot::obstacleClearance(glm::vec3 world, int segment) const
{
    float clearance = 1e30f;
    for (int k : footprintsNear[size_t(segment)]) {
        const Footprint& box = footprints[size_t(k)];
        if (box.top >= world.y - 0.5f)
            clearance = std::fmin(clearance, boxDistance(box.low, box.high, flat(world)));
    }
    return clearance;
}

void Autopilot::planLane()
{
    // The cheapest line through the course over a grid of (distance, offset): stay near the
    // centre, change lanes gently, keep off obstacles and edges, pass through fruit. A
    // forward pass keeps, for every offset, the cheapest line reaching it and the offset
    // it came from; the line is then read back from the cheapest end.
    const int steps = int(path.length / planStep) + 1;
    const int offsets = offsetCount();
    across.assign(size_t(steps), 0.0f);
    if (path.segments.empty())
        return;

    const glm::vec3 start(game->hero->startPosition.x(), game->hero->startPosition.y(), game->hero->startPosition.z());
    const PathCoordinates startAt = path.locate(start);
    const int firstStep = std::max(0, std::min(steps - 1, int(std::lround(startAt.along / planStep))));
    const int firstOffset = std::max(0, std::min(offsets - 1, int(std::lround((startAt.across + widestOffset) / offsetStep))));

    std::vector<float> cost(offsets, unreachable); // cheapest line to each offset of the step before
    std::vector<float> next(offsets, unreachable); // the same for this step
    std::vector<float> pointCost(offsets, 0.0f);   // what each offset of this step costs by itself
    std::vector<int> from(size_t(steps) * size_t(offsets), 0);
    cost[size_t(firstOffset)] = 0.0f;
    for (int i = firstStep; i < steps; ++i) {
        weighPoints(float(i) * planStep, pointCost);
        int* cameFrom = &from[size_t(i) * size_t(offsets)];
        const bool inCurve = path.segments[size_t(path.segmentAt(float(i) * planStep))].kind == WallKind::Curve;
        // Crossing from one of two fruit side by side to the other, the line must cross the
        // gap between them within the fruit's reach, as steeply as in a curve.
        const bool crossing = inCurve || nearSideBySideRow(float(i) * planStep);
        const int steepness = crossing ? curveSteepness : 1;
        const int reach = crossing ? curveSteepness : straightReach;
        for (int j = 0; j < offsets; ++j) {
            int bestFrom = j;
            const float best = i == firstStep ? cost[size_t(j)] : cheapestArrival(cost, j, reach, steepness, bestFrom);
            cameFrom[j] = bestFrom;
            next[size_t(j)] = (best >= unreachable || pointCost[size_t(j)] >= unreachable) ? unreachable
                                                                                         : best + pointCost[size_t(j)];
        }
        if (i > firstStep && !anyReachable(next))
            restartFromCheapest(cost, pointCost, next, cameFrom);
        cost.swap(next);
    }

    int j = cheapestOffset(cost);
    for (int i = steps - 1; i >= firstStep; --i) {
        across[size_t(i)] = offsetOf(j);
        j = from[size_t(i) * size_t(offsets) + size_t(j)];
    }
    for (int i = 0; i < firstStep; ++i)
        across[size_t(i)] = across[size_t(firstStep)];
}

void Autopilot::weighPoints(float along, std::vector<float>& pointCost) const
{
    const int offsets = int(pointCost.size());
    const PathSegment& segment = path.segments[size_t(path.segmentAt(along))];
    bool anyFits = false;
    for (int j = 0; j < offsets; ++j) {
        const float offset = offsetOf(j);
        // A plan step covers more ground on a curve's outer side than on its inner side; a
        // fruit is worth as much wherever it lies, so its pull is weighed by the ground.
        const float ground = segment.kind == WallKind::Curve
                                 ? std::fmax(0.2f, 1.0f - float(segment.turn) * offset / (0.5f * cellPitch))
                                 : 1.0f;
        const PathPoint point = path.pointAt(along, offset);
        const float clearance = obstacleClearance(point.position, point.segment);
        const bool fits =
            ballFits(point.position, point.segment, edgeMargin) && clearance > ballRadius + obstacleMargin;
        anyFits = anyFits || fits;
        float c = fits ? 0.3f * offset * offset : unreachable;
        if (fits && clearance < ballRadius + 0.6f)
            c += 4.0f * (ballRadius + 0.6f - clearance);
        // The nearer the fruit's centre, the surer the catch.
        for (int k : fruitNear[size_t(point.segment)]) {
            const glm::vec3& item = fruit[size_t(k)];
            const FruitRow& row = fruitRow[size_t(k)];
            if (row.half * (along - row.along) < 0.0f)
                continue;
            if (std::fabs(item.y - point.position.y) < 1.0f)
                c -= fruitReward * ground * catchChance(glm::length(flat(item) - flat(point.position)));
        }
        pointCost[size_t(j)] = c;
    }
    // Over a gap nothing fits: the line keeps to the centre, and the ball will fall.
    if (!anyFits)
        for (int j = 0; j < offsets; ++j)
            pointCost[size_t(j)] = centreCost(j);
}

void Autopilot::planSpeed()
{
    const size_t steps = across.size();
    speed.assign(steps, cruiseSpeed);
    for (size_t i = 0; i < steps; ++i) {
        const float along = float(i) * planStep;
        const PathSegment& segment = path.segments.empty() ? PathSegment{} : path.segments[size_t(path.segmentAt(along))];
        if (segment.kind == WallKind::Curve) {
            const float radius = std::fmax(1.0f, 3.0f - float(segment.turn) * across[i]);
            speed[i] = std::fmin(speed[i], std::sqrt(lateralAcceleration * radius));
        }
        if (i + 1 < steps) {
            const float slope = std::fabs(across[i + 1] - across[i]) / planStep;
            if (slope > 0.0f)
                speed[i] = std::fmin(speed[i], lateralSpeed / slope);
        }
        const float left = std::fmax(0.0f, path.length - along);
        speed[i] = std::fmin(speed[i], std::sqrt(2.0f * braking * left) + creepSpeed);
    }
    // Slow down in time for whatever comes.
    for (size_t i = steps; i-- > 1;)
        speed[i - 1] = std::fmin(speed[i - 1], std::sqrt(speed[i] * speed[i] + 2.0f * braking * planStep));
}

float Autopilot::plannedAcross(float along) const
{
    if (across.empty())
        return 0.0f;
    const float position = std::fmax(0.0f, along / planStep);
    const size_t i = std::min(across.size() - 1, size_t(position));
    const size_t j = std::min(across.size() - 1, i + 1);
    const float t = std::fmin(1.0f, position - float(i));
    return across[i] * (1.0f - t) + across[j] * t;
}

float Autopilot::plannedSpeed(float along) const
{
    if (speed.empty())
        return 0.0f;
    const size_t i = std::min(speed.size() - 1, size_t(std::fmax(0.0f, along / planStep)));
    return speed[i];
}

void Autopilot::startAttempt()
{
    attemptStart = game->state->startTime;
    segmentHint = 0;
    progress = 0.0f;
    bestProgress = 0.0f;
    framesWithoutProgress = 0;
    framesSinceJump = framesBetweenJumps;
    jumps = 0;
}

void Autopilot::steer(ScriptedInput& keys)
{
    const GameState& state = *game->state;
    // The camera's cursor centre, in the window's units, wherever the window is resized to.
    const int centreX = game->window->width / 2, centreY = game->window->height / 2;
    keys.releaseAll();
    keys.cursorX = double(centreX);
    keys.cursorY = double(centreY);
    if (state.startTime != attemptStart)
        startAttempt();
    if (state.heroFell || state.goalReached || path.segments.empty())
        return;

    const btRigidBody* body = game->hero->rigidBody;
    const glm::vec3 position = toGlm(body->getCenterOfMassPosition());
    const glm::vec2 velocity = flat(toGlm(body->getLinearVelocity()));
    const PathCoordinates here = path.locate(position, segmentHint);
    segmentHint = here.segment;
    progress = std::fmax(progress, here.along);

    // Roll along the course at the planned speed and steer across it toward the planned
    // line, a little ahead of the ball to make up for the time a push takes to tell.
    // Only the speed along the path carries the ball ahead on the plan; while it crosses a
    // curve's slot rows it rolls fast across and slowly along.
    const glm::vec2 tangentHere = path.pointAt(here.along).tangent;
    const float lead = leadTime * std::fmax(0.0f, glm::dot(velocity, tangentHere));
    const float line = plannedAcross(here.along + lead);
    // The line's slope just ahead of the ball, not at the aim point: where the line swings
    // out to a fruit and straight back, the slope there already points back.
    const float slope = (plannedAcross(here.along + planStep) - plannedAcross(here.along)) / planStep;
    const float wantedSpeed = plannedSpeed(here.along);
    const float sideways = std::fmax(-lateralSpeed, std::fmin(lateralSpeed, lateralGain * (line - here.across) +
                                                                                wantedSpeed * slope));
    const glm::vec2 wanted = tangentHere * wantedSpeed + glm::vec2(-tangentHere.y, tangentHere.x) * sideways;

    // The keys push relative to the camera: W away from it, D to its right.
    const glm::vec2 view = flat(state.viewDirection);
    const glm::vec2 forward = glm::length(view) > 1e-4f ? -glm::normalize(view) : glm::vec2(0.0f, -1.0f);
    const glm::vec2 right(-forward.y, forward.x);
    const glm::vec2 error = wanted - velocity;
    const float ahead = glm::dot(error, forward), aside = glm::dot(error, right);
    if (ahead > keyThreshold)
        keys.press(GLFW_KEY_W);
    else if (ahead < -keyThreshold)
        keys.press(GLFW_KEY_S);
    if (aside > keyThreshold)
        keys.press(GLFW_KEY_D);
    else if (aside < -keyThreshold)
        keys.press(GLFW_KEY_A);

    // Jump only when the ball has made no headway for a while although it could be steered.
    ++framesSinceJump;
    if (here.along > bestProgress + 0.2f) {
        bestProgress = here.along;
        framesWithoutProgress = 0;
    } else if (game->hero->onWall) {
        ++framesWithoutProgress;
    }
    if (framesWithoutProgress > stuckFrames && framesSinceJump > framesBetweenJumps && game->hero->onWall) {
        keys.press(GLFW_KEY_SPACE);
        ++jumps;
        framesSinceJump = 0;
        framesWithoutProgress = 0;
    }

    // Keep the camera behind the ball, looking along the course a little ahead.
    const glm::vec2 lookAlong = path.pointAt(here.along + 1.5f).tangent;
    const float wantedYaw = std::atan2(-lookAlong.x, -lookAlong.y);
    const float turn = wrapAngle(wantedYaw - game->camera->horizontalAngle);
    const float limit = cameraTurnRate * frameTime;
    const float applied = std::fmax(-limit, std::fmin(limit, turn));
    keys.cursorX = double(centreX) - double(applied / game->camera->mouseSpeed);
}
