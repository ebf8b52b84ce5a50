#pragma once
#include <array>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <utility>
#include <vector>

namespace vantor::scene {

// One slot of a wall piece: its key in the level file and its place on the piece's grid.
struct LevelSlot {
    const char* key; // "lv" ... "rh": lane (l, m, r), then third (v front, m middle, h back)
    int row;         // lane across the piece, 0 left .. 2 right
    int column;      // third along the piece, 0 front .. 2 back
};

// The nine slots of a wall piece, in the order the level file is read and items are placed.
extern const std::array<LevelSlot, 9> levelSlots;

// One wall piece of the level file, every value already converted to an integer.
struct LevelElement {
    int typ;                   // wall kind: 0 end, 1 straight, 2 curve, other unsupported
    int posx;                  // grid column; world x = -6 * posx
    int posy;                  // world y
    int posz;                  // grid row; world z = -6 * posz
    int dir;                   // quarter turns about +y
    std::array<int, 9> items;  // item code of each slot, in levelSlots order
};

// What a course may hold. A file beyond them is refused whole, so that neither the game nor
// the checker ever spends more than seconds and a few hundred MB on a course file.
const long maxLevelFileBytes = 1L << 20;   // 1 MiB: the shipped course is a few KB
const unsigned maxLevelElements = 1000;    // wall pieces; 6 km of path
const int maxCourseCoordinate = 1000000;   // |posx|, |posy|, |posz|: keeps every cell step an int
const int reportLinesPerKind = 10;         // listed mistakes of one kind; the rest are counted

// Counts mistakes by kind so that a report lists the first few of each and then only says
// how many more there were.
class ReportLimit {
public:
    // True while a mistake of `kind` is still to be listed; counts it either way.
    bool list(const std::string& kind);
    // Adds `count` mistakes of `kind` that are not to be listed.
    void skip(const std::string& kind, int count);
    // Mistakes beyond the listed ones: per kind, in the order the kinds first came up, the
    // line "... and N more " followed by the kind (which names the mistakes in the plural).
    struct More {
        std::string line; // the line to print
        int count;       // N
    };
    std::vector<More> more() const;

private:
    std::vector<std::pair<std::string, int>> counts; // kind, mistakes so far
};

// The level file read into plain values, or the line that says why it was rejected.
struct LevelDescription {
    bool ok = false;                    // the file was read and follows the format
    std::string error;                  // when not ok: the "FAILED: ..." text to print
    std::vector<std::string> problems;  // when not ok: the listed "FAILED: ..." lines, error first
    std::vector<ReportLimit::More> moreProblems; // when not ok: the mistakes beyond those listed
    std::vector<LevelElement> elements; // when ok: the wall pieces in course order
};

// Reads the level file `path` into `text`, at most maxLevelFileBytes + 1 bytes of it, so
// that parseLevel refuses a larger file before it is parsed. False if it cannot be opened or
// read, and for a folder.
bool readLevelFile(const std::string& path, std::string& text);

// Reads the text of a level file. Missing keys take the value 1; numbers are truncated
// toward zero, true/false count 1/0, null counts 0. Rejected, with one line for each
// mistake naming the element index and key (every element is read, so `problems` lists
// the first reportLinesPerKind mistakes of each kind, `moreProblems` counts the rest, and
// `error` holds the first): a text longer than maxLevelFileBytes (before it is parsed),
// text that is not JSON, a root that is not an object, "elements" that is not an array or
// has more than maxLevelElements entries, an element or its "obstacles" that is missing or
// not an object, a string, array, object or out-of-range number where a whole number
// belongs, and a position beyond maxCourseCoordinate. A root without "elements" is an
// empty course. Never throws.
LevelDescription parseLevel(const std::string& text);

// Wall kinds the course knows.
bool isSupportedWallType(int typ);

// Where a wall piece stands: translation (-6 posx, posy, -6 posz) times a rotation by
// dir quarter turns about +y.
glm::mat4 wallMatrixFor(const LevelElement& element);

// Where the item of a slot stands: wallMatrix * prototypeMatrix * translate(row * 1.13, 0, -2 * column).
glm::mat4 itemMatrixFor(int row, int column, const glm::mat4& prototypeMatrix, const glm::mat4& wallMatrix);

// The placement every obstacle and fruit prototype is built with: the front left slot.
glm::mat4 slotPrototypeMatrix();

// Where the item of a slot stands in its piece's own coordinates (before the piece's
// turn and place): the origin of itemMatrixFor(row, column, slotPrototypeMatrix(), identity),
// (1.13 row - 1.15, 0, 1.8 - 2 column). The game places items by that matrix; the course
// checker tests the same point against the walkable top.
glm::vec3 slotPositionOnPiece(const LevelSlot& slot);

enum class ItemKind { None, Obstacle, Ingredient };
// Codes 1-4 are obstacles, 10 and 11 fruit; every other code places nothing.
ItemKind itemKindFor(int itemCode);

// The goal of a course: the origin of its last supported wall piece. A course without any
// wall piece has no goal.
struct CourseGoal {
    bool exists = false;          // false: no wall piece, the goal test must never fire
    glm::vec3 position{0.0f};     // world; (0, 0, 0) without a goal
};
CourseGoal courseGoalOf(const std::vector<LevelElement>& elements);

// The attempt is won once the camera comes within goalReachDistance of the goal.
const float goalReachDistance = 5.0f; // world units
bool goalReachedFrom(glm::vec3 cameraPosition, const CourseGoal& goal);

} // namespace vantor::scene
