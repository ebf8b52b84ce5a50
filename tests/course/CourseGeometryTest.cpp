// The course's path: which sides each wall kind is open toward for every "dir", checked
// against the shipped wall meshes, and the centre line through courses of every turn.
#include "course/CourseGeometry.h"
#include "course/WalkableTop.h"
#include "scene/LevelFile.h"
#include "support/CourseWriter.h"
#include "support/ShippedWallTops.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

using namespace vantor::scene;

namespace {

std::vector<CoursePiece> piecesOf(const std::string& text)
{
    const LevelDescription level = parseLevel(text);
    EXPECT_TRUE(level.ok) << level.error;
    std::vector<CoursePiece> pieces;
    for (const LevelElement& element : level.elements)
        pieces.push_back(coursePieceOf(element));
    return pieces;
}

LevelElement element(int typ, int dir)
{
    return LevelElement{typ, 2, 0, 3, dir, {}};
}

bool has(const std::vector<glm::ivec2>& sides, glm::ivec2 side)
{
    for (glm::ivec2 s : sides)
        if (s == side)
            return true;
    return false;
}

} // namespace

TEST(CourseGeometry, OpenSidesForEveryKindAndDirMatchTheWallMeshes)
{
    const std::array<WalkableTop, 3> tops = shippedWallTops();
    const glm::ivec2 sides[4] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    for (int typ = 0; typ <= 2; ++typ) {
        for (int dir = -1; dir <= 5; ++dir) {
            SCOPED_TRACE("typ " + std::to_string(typ) + " dir " + std::to_string(dir));
            const CoursePiece piece = coursePieceOf(element(typ, dir));
            EXPECT_EQ(piece.origin, glm::vec3(-12.0f, 0.0f, -18.0f));
            const std::vector<glm::ivec2> open = openSides(piece);
            EXPECT_EQ(open.size(), typ == 0 ? 1u : 2u);
            // A side is open exactly where the walkable top reaches the cell's edge.
            for (glm::ivec2 side : sides) {
                const glm::vec3 edge = piece.origin + glm::vec3(side.x, 0, side.y) * 2.95f;
                EXPECT_EQ(has(open, side), tops[size_t(piece.kind)].holds(toLocal(piece, edge), 0.02f))
                    << "side " << side.x << "," << side.y;
            }
        }
    }
    // The conventions course writers rely on: dir turns local +z to world +z, +x, -z, -x.
    for (int dir = 0; dir < 4; ++dir)
        EXPECT_EQ(openSides(coursePieceOf(element(0, dir)))[0], sides[dir]);
}

TEST(CourseGeometry, CurvesTurnLeftFromTheirPlusZSideAlongTheWalkableTop)
{
    const std::array<WalkableTop, 3> tops = shippedWallTops();
    for (int dir = 0; dir < 4; ++dir) {
        SCOPED_TRACE("dir " + std::to_string(dir));
        const CoursePiece curve = coursePieceOf(element(2, dir));
        const glm::ivec2 plusZ = openSides(curve)[0];
        // Entered across its local +z edge (coming from that neighbour) it turns left.
        const CoursePiece before{WallKind::Straight, curve.origin + glm::vec3(plusZ.x, 0, plusZ.y) * 6.0f, 0};
        const CoursePath path({before, curve});
        const PathSegment& turn = path.segments[1];
        EXPECT_EQ(turn.entrySide, plusZ);
        EXPECT_EQ(turn.turn, -1);
        EXPECT_NEAR(turn.length, 3.0f * 1.5707964f, 1e-4f);
        // The centre line and lines a lane to either side stay on the curve's top (away
        // from its edges to the neighbours, where the ball rests on both pieces).
        for (float t = 0.8f; t <= turn.length - 0.8f; t += 0.25f)
            for (float across : {-1.0f, 0.0f, 1.13f}) {
                const glm::vec3 at = path.pointAt(turn.start + t, across).position;
                EXPECT_TRUE(tops[2].holds(toLocal(curve, at), 0.5f)) << t << " " << across;
            }
        // Entered from its local -x side it turns right.
        const glm::ivec2 minusX = openSides(curve)[1];
        const CoursePiece fromSide{WallKind::Straight, curve.origin + glm::vec3(minusX.x, 0, minusX.y) * 6.0f, 0};
        EXPECT_EQ(CoursePath({fromSide, curve}).segments[1].turn, 1);
    }
}

TEST(CourseGeometry, TheCentreLineRunsUnbrokenThroughEveryTurnToTheGoal)
{
    const CoursePath path(piecesOf(courseText(
        {{'S', ""}, {'L', ""}, {'T', ""}, {'L', ""}, {'R', ""}, {'R', ""}, {'S', ""}, {'R', ""}, {'L', ""}, {'E', ""}})));
    ASSERT_EQ(path.segments.size(), 10u);
    for (size_t k = 1; k < path.segments.size(); ++k) {
        SCOPED_TRACE("segment " + std::to_string(k));
        EXPECT_TRUE(path.segments[k].linkedToPrevious);
        EXPECT_LT(glm::length(path.segments[k].entry - path.segments[k - 1].exit), 1e-4f);
        // Just before and after a joint the line is continuous and keeps its direction.
        const PathPoint before = path.pointAt(path.segments[k].start - 0.01f);
        const PathPoint after = path.pointAt(path.segments[k].start + 0.01f);
        EXPECT_LT(glm::length(after.position - before.position), 0.03f);
        EXPECT_GT(glm::dot(before.tangent, after.tangent), 0.99f);
    }
    // Three curves of each hand.
    EXPECT_EQ(path.segments[1].turn, -1);
    EXPECT_EQ(path.segments[4].turn, 1);
    EXPECT_NEAR(path.goalDistance, 3 * 6.0f + 6 * 3.0f * 1.5707964f + 3.0f, 1e-3f);
    EXPECT_NEAR(path.length, path.goalDistance + endRunOut, 1e-3f);
    const PathPoint goal = path.pointAt(path.goalDistance);
    EXPECT_LT(glm::length(goal.position - path.pieces.back().origin), 1e-3f);

    // Any point beside the line is found again where it was put, on straights and curves.
    for (float along = 0.5f; along < path.length - 0.5f; along += 0.7f)
        for (float across : {-1.2f, 0.0f, 0.9f}) {
            const PathPoint point = path.pointAt(along, across);
            const PathCoordinates found = path.locate(point.position, std::max(0, point.segment - 1));
            EXPECT_NEAR(found.along, along, 1e-3f) << along << " " << across;
            EXPECT_NEAR(found.across, across, 1e-3f) << along << " " << across;
        }
}

TEST(CourseGeometry, AGapOrAClosedSideBreaksTheChain)
{
    const CoursePath gap(piecesOf(courseText({{'S', ""}, {'S', ""}, {'_', ""}, {'S', ""}, {'E', ""}})));
    EXPECT_TRUE(gap.segments[1].linkedToPrevious);
    EXPECT_FALSE(gap.segments[2].linkedToPrevious);
    EXPECT_TRUE(gap.segments[3].linkedToPrevious);

    // A curve turned so that neither open side faces the straight before it.
    const CoursePiece straight{WallKind::Straight, glm::vec3(0.0f), 0};
    const CoursePiece curve{WallKind::Curve, glm::vec3(0.0f, 0.0f, -6.0f), 2};
    EXPECT_FALSE(CoursePath({straight, curve}).segments[1].linkedToPrevious);
    // The same cells one step apart in height do not connect either.
    const CoursePiece higher{WallKind::Straight, glm::vec3(0.0f, 1.0f, -6.0f), 0};
    EXPECT_FALSE(CoursePath({straight, higher}).segments[1].linkedToPrevious);
}
