#pragma once
#include "course/CourseGeometry.h"
#include "course/WalkableTop.h"

#include <glm/vec2.hpp>
#include <vector>

class Game;
class ScriptedInput;

// Plays the course like a careful player, through the same keys and mouse a player uses:
// it follows the centre line piece by piece, swings into a fruit's lane where no obstacle
// or edge is near, passes obstacles in a free lane, slows before curves and the goal, and
// turns the camera to look along the course. It jumps only when the ball is stuck.
//
// The course is read once from the game's built wall pieces, obstacles and fruit, so any
// course the game loaded can be driven. Frames are expected at a fixed 1/60 s.
class Autopilot {
public:
    // `game` must be initialised and outlive the autopilot.
    explicit Autopilot(Game* game);

    // Sets the keys (W, S, A, D, Space) and the cursor for the next frame; call before
    // GameRunner::frame. Releases every key once the attempt has ended. Notices a replay
    // by the attempt's new start time and starts over.
    void steer(ScriptedInput& keys);

    // The planned offset to the right of the centre line at path distance `along`.
    float plannedAcross(float along) const;
    // The planned speed at path distance `along`, world units a second.
    float plannedSpeed(float along) const;

    vantor::scene::CoursePath path; // the course's centre line, from the game's wall pieces
    float progress = 0.0f;          // path distance the ball has reached in this attempt
    int jumps = 0;                  // jumps made in this attempt (only to get unstuck)

private:
    struct Footprint {
        glm::vec2 low, high; // world (x, z) box of an obstacle's collision shape
        float top;           // world height of its top
    };

    struct FruitRow {
        int half;    // 0: scored along its whole reach; -1: only up to its row; 1: only from it on
        float along; // path distance of its row
    };

    void readCourse();
    // Fills fruitRow: of two fruit side by side in a row of a straight, too far apart to
    // touch at once, the first is scored only before the row and the second only after it.
    void findSideBySideFruit();
    // Whether path distance `along` lies within a fruit's reach of such a row.
    bool nearSideBySideRow(float along) const;
    // The offset from the centre line to take at every planStep: the cheapest line over
    // the costs of weighPoints, changing lanes gently.
    void planLane();
    // What each offset at path distance `along` costs by itself: distance from the centre,
    // nearness of obstacles, fruit to catch; unreachable where the ball does not fit.
    void weighPoints(float along, std::vector<float>& pointCost) const;
    void planSpeed();
    bool ballFits(glm::vec3 world, int segment, float margin) const;
    // Distance from `world` to the nearest obstacle box that reaches its height, among
    // those near path segment `segment`.
    float obstacleClearance(glm::vec3 world, int segment) const;
    void startAttempt();

    Game* game;                                 // not owned
    vantor::scene::WalkableTop tops[3];         // by WallKind: end, straight, curve
    std::vector<Footprint> footprints;          // one per obstacle
    std::vector<glm::vec3> fruit;               // world positions, in the game's order
    std::vector<FruitRow> fruitRow;             // per fruit: where along its reach it is scored
    std::vector<std::vector<int>> footprintsNear; // per path segment: footprints near its piece
    std::vector<std::vector<int>> fruitNear;      // per path segment: fruit near its piece
    std::vector<float> across;                  // planned offset at every planStep of the path
    std::vector<float> speed;                   // planned speed at every planStep
    double attemptStart = -1.0;                 // the state's start time seen last
    int segmentHint = 0;                        // where the ball was found last frame
    float bestProgress = 0.0f;                  // path distance of the last real headway, for the stuck test
    int framesWithoutProgress = 0;              // frames on the wall since that headway
    int framesSinceJump = 0;                    // frames since the last jump
};
