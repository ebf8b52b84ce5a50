#pragma once
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <vector>

namespace vantor::scene {

struct LevelElement;

// Where the path of each wall piece runs, and how the pieces of a course chain into one
// centre line from the drop point to the goal. Horizontal directions are world (x, z)
// unit steps; "right" of a direction of travel t is (-t.z, t.x), as seen from above with
// the camera behind the ball.
//
// In its own coordinates a piece fills the 6 x 6 cell around its origin, its walkable top
// at y = 0. A straight piece is open toward local +z and -z, a curve toward +z and -x (a
// quarter turn: entered from +z it turns left, entered from -x right), the end piece toward
// +z only. "dir" quarter turns about +y carry local +z to world +z, +x, -z, -x.

enum class WallKind { End, Straight, Curve, Unsupported };

// The wall kind of a level file's "typ": 0 end, 1 straight, 2 curve.
WallKind wallKindOf(int typ);
const char* wallKindName(WallKind kind); // "end piece", "straight piece", "curve"

// A wall piece as the course sees it.
struct CoursePiece {
    WallKind kind;     // End, Straight or Curve
    glm::vec3 origin;  // world; the centre of its cell at the height of its walkable top
    int quarterTurns;  // 0..3: the turn about +y its walls are placed with
};

// The piece the game builds for a level element, turned as its collision walls are.
CoursePiece coursePieceOf(const LevelElement& element);

// The world sides (unit steps) a piece is open toward.
std::vector<glm::ivec2> openSides(const CoursePiece& piece);
// The grid cell of a piece: its origin divided by the pitch of 6.
glm::ivec2 cellOf(const CoursePiece& piece);
// World point -> the piece's own coordinates, and back (horizontal only).
glm::vec2 toLocal(const CoursePiece& piece, glm::vec3 world);
glm::vec3 toWorld(const CoursePiece& piece, glm::vec2 local);

// One piece of the chain: where the centre line enters and leaves it.
struct PathSegment {
    int piece;             // index into the pieces the path was built from
    WallKind kind;         // copied from the piece
    glm::ivec2 entrySide;  // world side the path comes in from
    glm::ivec2 exitSide;   // world side it leaves toward; (0, 0) for the end piece
    glm::vec3 entry;       // world; middle of the entry edge on the walkable top
    glm::vec3 exit;        // world; middle of the exit edge, or for the end piece the point
                           // just past the goal where the ball is brought to rest
    glm::vec3 pivot;       // curves: the cell corner the quarter turn goes around
    int turn;              // curves: -1 left, +1 right; 0 otherwise
    float start;           // path distance at the entry, world units
    float length;          // world units: 6 straight, 3 pi / 2 curve, to the rest point for the end
    bool linkedToPrevious; // this piece's entry meets the previous piece's exit
};

// A point of the centre line, or of a line beside it.
struct PathPoint {
    glm::vec3 position; // world
    glm::vec2 tangent;  // unit direction of travel (x, z)
    int segment;        // index into CoursePath::segments
};

// Distance along the centre line and offset across it (right positive), world units.
struct PathCoordinates {
    float along;   // path distance
    float across;  // offset to the right of the centre line
    int segment;   // the segment the point was measured in
};

// The centre line of a course, piece after piece in course order. Between two pieces that
// do not meet (a gap, a closed side) the line jumps straight from one exit to the next
// entry: the ball falls there, which is what such a course deserves.
class CoursePath {
public:
    explicit CoursePath(const std::vector<CoursePiece>& pieces);

    // The point at path distance `along`, moved `across` to the right; clamped to the path.
    PathPoint pointAt(float along, float across = 0.0f) const;
    // Where a world point lies along and across the path, measured in the segment whose
    // cell holds it, searching from segment `hint` forward first (then all).
    PathCoordinates locate(glm::vec3 world, int hint = 0) const;
    // The segment at path distance `along`.
    int segmentAt(float along) const;

    std::vector<CoursePiece> pieces;    // as given
    std::vector<PathSegment> segments;  // one per piece, same order
    float length = 0.0f;                // path distance to the rest point past the goal
    float goalDistance = 0.0f;          // path distance to the last piece's origin
};

const float cellPitch = 6.0f;       // world units between neighbouring pieces
const float endRunOut = 1.5f;       // how far past the goal the path leads the ball to rest

} // namespace vantor::scene
