#pragma once
#include "course/ObstacleShape.h"
#include "course/WalkableTop.h"

#include <array>
#include <string>
#include <vector>

namespace vantor::scene {

// One thing a course writer should know about a level file.
struct CourseFinding {
    bool error;        // true: the course is broken; false: a warning, the course still plays
    std::string text;  // one line, naming the element (and key or slot) it concerns
    int count = 1;     // findings the line stands for: N for "... and N more ..."
    int element = -1;  // the level element it concerns (the first of a pair); -1 for none
};

// What the course holds, for the summary line.
struct CourseSummary {
    int pieces = 0;          // wall pieces the game builds
    int straights = 0;       // of those, straight pieces
    int curves = 0;          // curves
    int endPieces = 0;       // end pieces (one in a sound course)
    int obstacles = 0;       // obstacles placed on the pieces
    int fruit = 0;           // bananas and apples placed on the pieces
    int points = 0;          // the score for collecting every fruit
    float pathLength = 0.0f; // world units along the centre line from the first piece's entry to the goal
    // How hard the course is, beyond its length and turns:
    int rollers = 0;              // obstacles that are rollers, the longest along a lane
    int fruitInOuterLanes = 0;    // fruit in the left or right lane ("l" or "r" slots)
    int fruitBesideObstacles = 0; // fruit in a slot next to an obstacle's, along or across the piece
    int openLanes = 0;            // lanes without an obstacle, summed over the straight pieces (0 to 3 each)
};

struct CourseReport {
    bool readable = false;               // the format was sound, so the shape could be checked
    std::vector<CourseFinding> findings; // in file order, format errors first; the first
                                         // reportLinesPerKind of each kind, then one line
                                         // that counts the rest of that kind
    CourseSummary summary;               // filled when readable
    int errors() const;                  // every error, listed or counted
    int warnings() const;
    std::string firstError() const;      // the first error's line, why the course is refused;
                                         // empty without errors (warnings never refuse one)
};

// What the checks need of the game's models: the game builds it from the collision
// descriptions of the prototypes it holds, the checker program from the model files.
struct CourseModels {
    std::array<WalkableTop, 3> tops;        // by WallKind (end, straight, curve); an empty top
                                            // skips the item and passage checks on that kind
    std::array<ObstacleShape, 4> obstacles; // by item code - 1 (roller, fence, wooden barricade,
                                            // sand heap); an obstacle with an empty shape is
                                            // not in the way of the passage check
};

// Checks the text of a level file with the game's own reader, then the course's shape:
// pieces of unknown kinds, item codes that place nothing, turns the walls do not follow,
// the drop point, the fall line, consecutive pieces that do not connect, pieces that
// overlap, pieces the ball cannot pass for their obstacles or their neighbours' at a joint
// (PiecePassage), items off a piece's walkable top, the end piece missing or not last, and
// a goal the camera reaches while the ball is dropped. Takes time near-linear in the number of elements, and the
// report is bounded.
CourseReport checkCourse(const std::string& levelText, const CourseModels& models);

// The report as the checker prints it: one line a finding, the summary, the verdict.
std::string formatCourseReport(const CourseReport& report);

} // namespace vantor::scene
