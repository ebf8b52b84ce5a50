// The course checker on the shipped course and on small files, each made to show one
// kind of problem.
#include "course/CourseCheck.h"
#include "scene/LevelFile.h"
#include "support/CourseWriter.h"
#include "support/ShippedWallTops.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>

using namespace vantor::scene;

namespace {

const CourseModels& models()
{
    static const CourseModels shipped = shippedCourseModels();
    return shipped;
}

// Every finding's text, one a line, for failure messages.
std::string listed(const CourseReport& report)
{
    std::string text;
    for (const CourseFinding& finding : report.findings)
        text += (finding.error ? "E " : "W ") + finding.text + "\n";
    return text;
}

// How many findings contain every one of `parts`.
int count(const CourseReport& report, std::initializer_list<const char*> parts, bool errors = true)
{
    int found = 0;
    for (const CourseFinding& finding : report.findings) {
        bool all = finding.error == errors;
        for (const char* part : parts)
            all = all && finding.text.find(part) != std::string::npos;
        found += all ? 1 : 0;
    }
    return found;
}

std::string element(int typ, int posx, int posy, int posz, int dir, const std::string& slots = "")
{
    return "{\"typ\": " + std::to_string(typ) + ", \"posx\": " + std::to_string(posx) + ", \"posy\": " +
           std::to_string(posy) + ", \"posz\": " + std::to_string(posz) + ", \"dir\": " + std::to_string(dir) +
           ", \"obstacles\": {\"lv\": 0, \"lm\": 0, \"lh\": 0, \"mv\": 0, \"mm\": 0, \"mh\": 0, \"rv\": 0, \"rm\": 0, "
           "\"rh\": 0" + slots + "}}";
}

std::string course(std::initializer_list<std::string> elements)
{
    std::string text = "{\"elements\": [";
    bool first = true;
    for (const std::string& e : elements) {
        text += (first ? "" : ", ") + e;
        first = false;
    }
    return text + "]}";
}

} // namespace

TEST(CourseCheck, AcceptsTheShippedCourseAndSumsItUp)
{
    std::ifstream file(std::string(LANTERN_SOURCE_DIR) + "/Models/level.json");
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const CourseReport report = checkCourse(text, models());
    EXPECT_TRUE(report.readable);
    EXPECT_EQ(report.errors(), 0) << listed(report);
    EXPECT_EQ(report.warnings(), 0) << listed(report);
    const CourseSummary& s = report.summary;
    EXPECT_EQ(s.pieces, s.straights + s.curves + s.endPieces);
    EXPECT_EQ(s.endPieces, 1);
    EXPECT_GE(s.fruit, 10);
    EXPECT_GE(s.points, 10 * s.fruit);
    EXPECT_LE(s.points, 15 * s.fruit);
    EXPECT_GT(s.pathLength, 6.0f * float(s.straights));
    EXPECT_NE(formatCourseReport(report).find("OK: the course has no errors."), std::string::npos);
}

TEST(CourseCheck, AcceptsWrittenCoursesWithEveryTurnAndDir)
{
    const CourseReport report = checkCourse(
        courseText({{'S', "R..|...|..."}, {'L', ".b."}, {'T', "...|.F.|..b"}, {'L', ""}, {'R', "a"}, {'R', ""},
                    {'S', "..S|...|B.."}, {'R', ""}, {'L', ""}, {'E', ""}}),
        models());
    EXPECT_EQ(report.errors(), 0) << listed(report);
    EXPECT_EQ(report.summary.fruit, 3);
    EXPECT_EQ(report.summary.points, 10 + 10 + 15);
    EXPECT_EQ(report.summary.obstacles, 4);
}

TEST(CourseCheck, ReportsEveryFormatErrorWithElementAndKeyAndChecksNoFurther)
{
    const CourseReport report = checkCourse(
        "{\"elements\": [{\"typ\": \"straight\", \"posx\": 0, \"posz\": [1], \"obstacles\": {\"mm\": 2.5e10}},"
        " {\"typ\": 1}, 7, " + element(1, 0, 0, 1, 0) + "]}",
        models());
    EXPECT_FALSE(report.readable);
    EXPECT_EQ(report.errors(), 5) << listed(report);
    EXPECT_EQ(count(report, {"element 0", "\"typ\"", "a number is expected, found a string"}), 1) << listed(report);
    EXPECT_EQ(count(report, {"element 0", "\"posz\"", "found an array"}), 1) << listed(report);
    EXPECT_EQ(count(report, {"element 0", "\"obstacles.mm\"", "out of range"}), 1) << listed(report);
    EXPECT_EQ(count(report, {"element 1", "\"obstacles\"", "missing"}), 1) << listed(report);
    EXPECT_EQ(count(report, {"element 2", "an object is expected"}), 1) << listed(report);
    const std::string printed = formatCourseReport(report);
    EXPECT_NE(printed.find("FAILED: level element 0, key \"typ\""), std::string::npos) << printed;
    EXPECT_NE(printed.find("FAILED: 5 errors, 0 warnings."), std::string::npos) << printed;

    EXPECT_EQ(count(checkCourse("[1, 2]", models()), {"root must be an object"}), 1);
    EXPECT_EQ(count(checkCourse("{\"elements\": [", models()), {"could not parse"}), 1);
}

TEST(CourseCheck, PiecesThatDoNotConnectOrOverlap)
{
    // A gap of one cell, a step in height, a curve turned away, a piece on top of another.
    const CourseReport gap = checkCourse(courseText({{'S', ""}, {'S', ""}, {'_', ""}, {'S', ""}, {'E', ""}}), models());
    EXPECT_EQ(gap.errors(), 1) << listed(gap);
    EXPECT_EQ(count(gap, {"element 1 and element 2 do not connect", "not stand in a cell next to"}), 1) << listed(gap);

    const CourseReport step =
        checkCourse(course({element(1, 0, 0, 0, 0), element(1, 0, 1, 1, 0), element(0, 0, 1, 2, 0)}), models());
    EXPECT_EQ(count(step, {"element 0 and element 1 do not connect", "different heights"}), 1) << listed(step);

    const CourseReport closed =
        checkCourse(course({element(1, 0, 0, 0, 0), element(2, 0, 0, 1, 2), element(0, 0, 0, 2, 0)}), models());
    EXPECT_EQ(count(closed, {"element 0 and element 1 do not connect", "second (curve) is not open"}), 1)
        << listed(closed);

    const CourseReport sideways =
        checkCourse(course({element(1, 0, 0, 0, 1), element(1, 0, 0, 1, 1), element(0, 0, 0, 2, 0)}), models());
    EXPECT_EQ(count(sideways, {"element 0 and element 1 do not connect", "first (straight piece) is not open"}), 1)
        << listed(sideways);

    const CourseReport overlap = checkCourse(
        course({element(1, 0, 0, 0, 0), element(1, 0, 0, 1, 0), element(1, 0, 1, 1, 0), element(0, 0, 0, 2, 0)}),
        models());
    EXPECT_EQ(count(overlap, {"element 1 and element 2 overlap"}), 1) << listed(overlap);
}

// Three obstacles across a piece close it when their collision shapes leave the ball no gap:
// a row of rollers on a straight piece, and rollers along the lane that a curve turns its
// exit into (the case that a count of blocked lanes by slot row let through). The error
// names the obstacles the ball is stopped by, not the ones behind them.
TEST(CourseCheck, PiecesClosedByObstaclesTheBallCannotPass)
{
    const CourseReport row = checkCourse(courseText({{'S', ""}, {'S', "R..|R..|R.."}, {'S', ""}, {'E', ""}}), models());
    EXPECT_EQ(row.errors(), 1) << listed(row);
    EXPECT_EQ(count(row, {"element 1: the ball cannot pass this straight piece", "roller in \"lv\"",
                          "roller in \"mv\"", "roller in \"rv\"", "no gap it fits through"}),
              1)
        << listed(row);

    // Across the end piece's way in a row closes it; across its round platform, beside the
    // goal, the ball rolls round the row and on past the goal, where the camera reaches it.
    const CourseReport end = checkCourse(courseText({{'S', ""}, {'S', ""}, {'E', "R..|R..|R.."}}), models());
    EXPECT_EQ(count(end, {"element 2: the ball cannot pass this end piece", "roller in \"mv\"", "to the goal."}), 1)
        << listed(end);
    EXPECT_EQ(checkCourse(courseText({{'S', ""}, {'S', ""}, {'E', ".R.|.R.|.R."}}), models()).errors(), 0);

    for (char turn : {'L', 'R'}) {
        SCOPED_TRACE(std::string("curve ") + turn);
        const CourseReport curve =
            checkCourse(courseText({{'S', ""}, {turn, "RRR|...|..F"}, {'S', ""}, {'E', ""}}), models());
        EXPECT_EQ(curve.errors(), 1) << listed(curve);
        EXPECT_EQ(count(curve, {"element 1: the ball cannot pass this curve: the roller in \"lv\", the roller in "
                                "\"lm\" and the roller in \"lh\" leave no gap"}),
                  1)
            << listed(curve);
    }
}

// Rollers at the back of one piece and at the front of the next leave less room between
// them than the ball needs, so the way must go on in the same lane across the joint: the
// check follows it from piece to piece and names the other piece's obstacles in its way.
TEST(CourseCheck, AWayThatDoesNotGoOnAcrossAJointIsClosed)
{
    // The ball leaves the first piece on the left lane and meets the second's rollers.
    const CourseReport shifted = checkCourse(
        courseText({{'S', ""}, {'S', "...|..R|..R"}, {'S', "R..|R..|..."}, {'S', ""}, {'E', ""}}), models());
    EXPECT_EQ(shifted.errors(), 1) << listed(shifted);
    EXPECT_EQ(count(shifted, {"element 2: the ball cannot pass this straight piece: the roller in \"lv\"",
                              "the roller in \"mh\" of element 1", "where it comes in to its exit."}),
              1)
        << listed(shifted);

    // The first piece's right lane is open at the joint too, but a pocket the ball cannot
    // reach from its entry: the second piece alone would let it through there.
    const CourseReport pocket = checkCourse(
        courseText({{'S', ""}, {'S', "...|..R|.R."}, {'S', "R..|R..|..."}, {'S', ""}, {'E', ""}}), models());
    EXPECT_EQ(count(pocket, {"element 2: the ball cannot pass this straight piece"}), 1) << listed(pocket);

    // The same pieces with the way kept in one lane pass, and so does a way that changes
    // lane inside a piece.
    EXPECT_EQ(checkCourse(courseText({{'S', ""}, {'S', "...|..R|..R"}, {'S', "...|R..|R.."}, {'S', ""}, {'E', ""}}),
                          models())
                  .errors(),
              0);
    EXPECT_EQ(checkCourse(courseText({{'S', ""}, {'S', "..R|..R|..."}, {'S', "...|R..|R.."}, {'S', ""}, {'E', ""}}),
                          models())
                  .errors(),
              1);
}

// Fences, barricades and sand heaps in the same slots leave room: fences and barricades are
// thin along the lane, so the ball weaves between them; it rolls over sand heaps, which are
// lower than its radius. Obstacles staggered over the lanes are no wall either.
TEST(CourseCheck, PiecesTheBallWeavesThroughOrRollsOver)
{
    for (const char* slots : {"FFF", "BBB", "SSS", "RRS", "SSS|SSS|SSS"}) {
        SCOPED_TRACE(slots);
        for (char turn : {'L', 'R'}) {
            const CourseReport curve =
                checkCourse(courseText({{'S', ""}, {turn, slots}, {'S', ""}, {'E', ""}}), models());
            EXPECT_EQ(curve.errors(), 0) << listed(curve);
        }
    }
    const CourseReport staggered =
        checkCourse(courseText({{'S', ""}, {'S', "R..|..F|.S."}, {'S', "R..|..B|..R"}, {'E', ""}}), models());
    EXPECT_EQ(staggered.errors(), 0) << listed(staggered);
}

// Without the obstacle models nothing is in the ball's way; the walkable tops alone still
// check where items stand.
TEST(CourseCheck, NoObstacleShapesNoPassageErrors)
{
    CourseModels topsOnly = models();
    topsOnly.obstacles = {};
    const CourseReport report =
        checkCourse(courseText({{'S', ""}, {'S', "R..|R..|R.."}, {'S', ""}, {'E', ""}}), topsOnly);
    EXPECT_EQ(report.errors(), 0) << listed(report);
}

// A small loop whose end piece lies right behind the drop point: the camera, following the
// ball down, comes within reach of the goal before the player has moved.
TEST(CourseCheck, AGoalWithinReachOfTheCameraAtTheDropIsAnError)
{
    const CourseReport loop =
        checkCourse(courseText({{'S', ""}, {'L', ""}, {'L', ""}, {'S', ""}, {'L', ""}, {'E', ""}}), models());
    EXPECT_EQ(loop.errors(), 1) << listed(loop);
    EXPECT_EQ(
        count(loop, {"element 5: the end piece lies within 5 units of the start, so the goal is reached at once"}), 1)
        << listed(loop);
    EXPECT_EQ(loop.findings.front().element, 5);

    // One piece on, the same course ends a cell further from the start.
    const CourseReport longer = checkCourse(
        courseText({{'S', ""}, {'L', ""}, {'L', ""}, {'S', ""}, {'S', ""}, {'L', ""}, {'E', ""}}), models());
    EXPECT_EQ(count(longer, {"the goal is reached at once"}), 0) << listed(longer);
}

// Each finding about one element says which, so that a map can mark it there.
TEST(CourseCheck, FindingsNameTheirElement)
{
    const CourseReport report = checkCourse(
        courseText({{'S', ""}, {'S', ""}, {'_', ""}, {'S', "R..|R..|R.."}, {'E', ""}}), models());
    ASSERT_EQ(report.errors(), 2) << listed(report);
    EXPECT_EQ(report.findings[0].element, 1); // the first of the pair that does not connect
    EXPECT_EQ(report.findings[1].element, 2); // the straight piece with the rollers
    EXPECT_EQ(checkCourse(courseText({{'S', ""}, {'S', ""}}), models()).findings.front().element, -1); // no end piece
}

// How long the checker takes on the largest course a file may hold, a thousand pieces with
// three obstacles on each (printed; the bound only catches a hang).
TEST(CourseCheck, AThousandPiecesWithObstaclesEverywhereAreCheckedAtOnce)
{
    std::vector<CourseStep> route;
    const char* turns = "SSLSSRRSSL";
    const char* slots[] = {"R..|..F|.S.", "..B|R..|..R", "RRR", "..R|B..|R.."};
    for (int i = 0; i < 999; ++i)
        route.push_back({turns[i % 10] == 'S' ? 'S' : (i / 10) % 2 == 0 ? turns[i % 10] : 'S', slots[i % 4]});
    route.push_back({'E', ""});
    const std::string text = courseText(route);
    const auto start = std::chrono::steady_clock::now();
    const CourseReport report = checkCourse(text, models());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "Checked " << report.summary.pieces << " pieces with " << report.summary.obstacles
              << " obstacles in " << seconds * 1000.0 << " ms; " << report.errors() << " errors." << std::endl;
    EXPECT_EQ(report.summary.pieces, 1000);
    EXPECT_LT(seconds, 60.0);
}

TEST(CourseCheck, ItemsOffACurvesWalkableTop)
{
    // A curve whose top is only a band three units wide around its quarter turn: the
    // slots in its outer corner lie off it. The shipped curve holds every slot.
    CourseModels narrow = models();
    narrow.tops[2].triangles.clear();
    const glm::vec2 pivot(-3.0f, 3.0f);
    const int parts = 24;
    for (int k = 0; k < parts; ++k) {
        auto at = [&](float radius, int step) {
            const float angle = -1.5707964f * float(step) / float(parts);
            return pivot + radius * glm::vec2(std::cos(angle), std::sin(angle));
        };
        const glm::vec2 a = at(1.5f, k), b = at(4.5f, k), c = at(4.5f, k + 1), d = at(1.5f, k + 1);
        narrow.tops[2].triangles.insert(narrow.tops[2].triangles.end(), {a, b, c, a, c, d});
    }
    const std::string text = courseText({{'S', ""}, {'L', "b.a|.b.|..R"}, {'E', ""}});
    const CourseReport report = checkCourse(text, narrow);
    EXPECT_EQ(report.errors(), 3) << listed(report);
    EXPECT_EQ(count(report, {"element 1, slot \"lh\"", "apple lies off the curve's walkable top"}), 1) << listed(report);
    EXPECT_EQ(count(report, {"element 1, slot \"mm\"", "banana"}), 1) << listed(report);
    EXPECT_EQ(count(report, {"element 1, slot \"rh\"", "roller"}), 1) << listed(report);
    EXPECT_EQ(checkCourse(text, models()).errors(), 0) << listed(checkCourse(text, models()));
}

TEST(CourseCheck, TheEndPieceMissingOrNotLast)
{
    const CourseReport none = checkCourse(courseText({{'S', ""}, {'S', ""}}), models());
    EXPECT_EQ(none.errors(), 1) << listed(none);
    EXPECT_EQ(count(none, {"no end piece"}), 1);

    const CourseReport early = checkCourse(course({element(1, 0, 0, 0, 0), element(0, 0, 0, 1, 0),
                                                   element(1, 0, 0, 2, 0)}),
                                           models());
    EXPECT_EQ(count(early, {"element 1: an end piece must be the last piece", "1 more follow"}), 1) << listed(early);

    const CourseReport empty = checkCourse("{\"elements\": []}", models());
    EXPECT_EQ(count(empty, {"no wall piece"}), 1) << listed(empty);
}

TEST(CourseCheck, KindsCodesTurnsAndHeightsTheGameCannotUse)
{
    const CourseReport report = checkCourse(
        course({element(1, 0, 0, 0, 0, ", \"mm\": 7"), element(7, 0, 0, 1, 0), element(1, 0, 0, 1, 12345),
                element(0, 0, 0, 2, 0)}),
        models());
    EXPECT_EQ(count(report, {"element 1", "\"typ\" 7 is no wall kind"}), 1) << listed(report);
    EXPECT_EQ(count(report, {"element 2", "\"dir\" 12345", "collision walls"}), 1) << listed(report);
    EXPECT_EQ(count(report, {"element 0, slot \"mm\"", "item code 7 places nothing"}, false), 1) << listed(report);
    EXPECT_EQ(report.warnings(), 1);
    // Why the course is refused is an error's line, never the warning listed before it.
    ASSERT_FALSE(report.findings.front().error) << listed(report);
    EXPECT_EQ(report.firstError().rfind("element 1: \"typ\" 7 is no wall kind", 0), 0u) << report.firstError();
    EXPECT_EQ(checkCourse(course({element(1, 0, 0, 0, 0, ", \"mm\": 7"), element(0, 0, 0, 1, 0)}), models())
                  .firstError(),
              "");

    // The ball drops at (0, 4, -1): a course that starts elsewhere loses it at once, and a
    // piece too low counts the resting ball as fallen.
    const CourseReport elsewhere = checkCourse(course({element(1, 3, 0, 0, 0), element(0, 3, 0, 1, 0)}), models());
    EXPECT_EQ(count(elsewhere, {"element 0", "dropped at (0, 4, -1)"}), 1) << listed(elsewhere);
    const CourseReport low = checkCourse(course({element(1, 0, -3, 0, 0), element(0, 0, -3, 1, 0)}), models());
    EXPECT_EQ(count(low, {"too low"}), 2) << listed(low);
    const CourseReport high = checkCourse(course({element(1, 0, 4, 0, 0), element(0, 0, 4, 1, 0)}), models());
    EXPECT_EQ(count(high, {"drop height"}), 1) << listed(high);
}

// A thousand default pieces on one spot, every slot a roller: half a million overlapping
// pairs, a thousand blocked pieces, a thousand unconnected pairs. The report lists ten of
// each kind and counts the rest, and the verdict still counts every one.
TEST(CourseCheck, APileOfIdenticalPiecesGivesABoundedReport)
{
    std::string text = "{\"elements\": [{\"obstacles\": {}}";
    for (int i = 1; i < 1000; ++i)
        text += ",{\"obstacles\": {}}";
    const CourseReport report = checkCourse(text + "]}", models());
    EXPECT_LE(report.findings.size(), 100u) << listed(report);
    EXPECT_EQ(count(report, {"overlap: both stand in the same cell."}), reportLinesPerKind);
    EXPECT_EQ(count(report, {"... and 499490 more pairs of pieces that overlap."}), 1) << listed(report);
    EXPECT_EQ(count(report, {"... and 990 more pieces the ball cannot pass."}), 1) << listed(report);
    // Every pair overlaps, every piece is blocked, no piece connects to the one before it;
    // the ball misses the first piece and there is no end piece.
    EXPECT_EQ(report.errors(), 499500 + 1000 + 999 + 1 + 1) << listed(report);
}

// Pieces piled in one cell overlap only when less than three units apart in height: the
// report names the close pairs, found by height within the cell, in element order.
TEST(CourseCheck, OverlapsInOneCellAreTheCloseHeightsOnly)
{
    const CourseReport report = checkCourse(
        course({element(1, 0, 0, 0, 0), element(1, 0, 5, 0, 0), element(1, 0, 2, 0, 0), element(1, 0, 7, 0, 0),
                element(0, 0, 0, 1, 0)}),
        models());
    EXPECT_EQ(count(report, {"overlap"}), 2) << listed(report);
    EXPECT_EQ(count(report, {"element 0 and element 2 overlap", "too close above each other"}), 1) << listed(report);
    EXPECT_EQ(count(report, {"element 1 and element 3 overlap"}), 1) << listed(report);
}
