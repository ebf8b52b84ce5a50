#include "course/CourseCheck.h"

#include "course/CourseGeometry.h"
#include "course/PiecePassage.h"
#include "model/CollisionMesh.h"
#include "scene/AttemptStart.h"
#include "scene/LevelFile.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <sstream>
#include <unordered_map>

namespace vantor::scene {

namespace {

// "1 obstacle", "3 obstacles": the report reads as sentences for every count.
std::string counted(int count, const char* singular, const char* plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

const float itemRadius = 0.3f;                // room an item needs around its slot
const float stackClearance = 3.0f;            // height two pieces in one cell need between them
const float quarterTurn = 1.5707964f;

std::string elementName(int index)
{
    return "element " + std::to_string(index);
}

const char* itemName(int code)
{
    switch (code) {
    case 1: return "roller";
    case 2: return "fence";
    case 3: return "wooden barricade";
    case 4: return "sand heap";
    case 10: return "banana";
    case 11: return "apple";
    default: return "item";
    }
}

std::string sideName(glm::ivec2 side)
{
    if (side == glm::ivec2(0, 1))
        return "+z";
    if (side == glm::ivec2(0, -1))
        return "-z";
    if (side == glm::ivec2(1, 0))
        return "+x";
    return "-x";
}

std::string formatNumber(float value, int decimals = 1)
{
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(decimals);
    out << value;
    return out.str();
}

// The turn, in quarter turns, of a piece as drawn, and whether it is a whole quarter turn.
int drawnTurns(const glm::mat4& wallMatrix, bool& whole)
{
    const float angle = std::atan2(-wallMatrix[0][2], wallMatrix[0][0]);
    const float turns = angle / quarterTurn;
    whole = std::fabs(turns - std::round(turns)) < 1e-3f;
    return ((int(std::lround(turns)) % 4) + 4) % 4;
}

// Kinds of findings that can come once per element or per pair of elements; each names
// its findings in the plural, for the "... and N more" line.
const char* const unknownItems = "item codes that place nothing";
const char* const unknownKinds = "elements of no wall kind";
const char* const unfollowedTurns = "turns the walls do not follow";
const char* const itemsOffTop = "items off a walkable top";
const char* const closedPieces = "pieces the ball cannot pass";
const char* const lowPieces = "pieces below the fall line";
const char* const unconnected = "pairs of pieces that do not connect";
const char* const overlaps = "pairs of pieces that overlap";
const char* const earlyEnds = "end pieces before the last piece";

// The key of a grid cell in a hash map; cells are within maxCourseCoordinate, so both
// halves fit.
unsigned long long cellKey(glm::ivec2 cell)
{
    return (static_cast<unsigned long long>(static_cast<unsigned>(cell.x)) << 32) | static_cast<unsigned>(cell.y);
}

// "the roller in "lv", the fence in "mv" and the roller in "rh" of element 3": obstacles of
// another element than `element` say whose they are.
std::string obstacleList(const std::vector<PlacedObstacle>& obstacles, const std::vector<int>& ownerOf, int element,
                         const std::vector<int>& which)
{
    std::string text;
    for (size_t k = 0; k < which.size(); ++k) {
        const size_t index = size_t(which[k]);
        const PlacedObstacle& obstacle = obstacles[index];
        text += std::string(k == 0 ? "" : k + 1 == which.size() ? " and " : ", ") + "the " + itemName(obstacle.code) +
                " in \"" + levelSlots[size_t(obstacle.slot)].key + "\"" +
                (ownerOf[index] == element ? "" : " of " + elementName(ownerOf[index]));
    }
    return text;
}

struct Checker {
    const CourseModels& models;
    const std::array<WalkableTop, 3>& tops;
    CourseReport report;
    ReportLimit errorLimit;   // errors listed so far, by kind
    ReportLimit warningLimit; // warnings listed so far, by kind

    // A finding that can come at most once per course, about `element` if not -1.
    void error(const std::string& text, int element = -1) { report.findings.push_back({true, text, 1, element}); }
    // Findings of a kind that can come many times: the first few are listed.
    void error(const char* kind, const std::string& text, int element = -1)
    {
        if (errorLimit.list(kind))
            error(text, element);
    }
    void warning(const char* kind, const std::string& text, int element)
    {
        if (warningLimit.list(kind))
            report.findings.push_back({false, text, 1, element});
    }
    // The "... and N more" lines, after everything listed.
    void countUnlisted()
    {
        for (const ReportLimit::More& more : errorLimit.more())
            report.findings.push_back({true, more.line, more.count});
        for (const ReportLimit::More& more : warningLimit.more())
            report.findings.push_back({false, more.line, more.count});
    }

    void checkElements(const std::vector<LevelElement>& elements, std::vector<CoursePiece>& pieces,
                       std::vector<int>& elementOf)
    {
        for (size_t i = 0; i < elements.size(); ++i) {
            const LevelElement& element = elements[i];
            const std::string name = elementName(int(i));
            for (size_t s = 0; s < levelSlots.size(); ++s) {
                const int code = element.items[s];
                if (code != 0 && itemKindFor(code) == ItemKind::None)
                    warning(unknownItems, name + ", slot \"" + levelSlots[s].key + "\": item code " +
                                              std::to_string(code) +
                                              " places nothing (0 empty, 1 to 4 obstacles, 10 banana, 11 apple).",
                            int(i));
            }
            const WallKind kind = wallKindOf(element.typ);
            if (kind == WallKind::Unsupported) {
                error(unknownKinds, name + ": \"typ\" " + std::to_string(element.typ) +
                      " is no wall kind (0 end piece, 1 straight piece, 2 curve); the game builds nothing here "
                      "but still places the element's items.",
                      int(i));
                continue;
            }
            const CoursePiece piece = coursePieceOf(element);
            bool whole = false;
            if (drawnTurns(wallMatrixFor(element), whole) != piece.quarterTurns || !whole)
                error(unfollowedTurns, name + ": \"dir\" " + std::to_string(element.dir) +
                      " turns the drawn piece differently from its collision walls; use 0 to 3.",
                      int(i));
            pieces.push_back(piece);
            elementOf.push_back(int(i));
            report.summary.pieces += 1;
            report.summary.straights += kind == WallKind::Straight ? 1 : 0;
            report.summary.curves += kind == WallKind::Curve ? 1 : 0;
            report.summary.endPieces += kind == WallKind::End ? 1 : 0;
            checkItems(element, piece, int(i));
        }
    }

    void checkItems(const LevelElement& element, const CoursePiece& piece, int index)
    {
        measureItems(element, piece);
        const std::string name = elementName(index);
        for (size_t s = 0; s < levelSlots.size(); ++s) {
            const int code = element.items[s];
            const ItemKind item = itemKindFor(code);
            if (item == ItemKind::None)
                continue;
            if (item == ItemKind::Obstacle) {
                report.summary.obstacles += 1;
            } else {
                report.summary.fruit += 1;
                report.summary.points += code == 10 ? 10 : 15;
            }
            const WalkableTop& top = tops[size_t(piece.kind)];
            const glm::vec3 onPiece = slotPositionOnPiece(levelSlots[s]);
            const glm::vec2 slot(onPiece.x, onPiece.z);
            if (!top.empty() && !top.holds(slot, itemRadius))
                error(itemsOffTop, name + ", slot \"" + levelSlots[s].key + "\": the " + itemName(code) +
                                       " lies off the " + wallKindName(piece.kind) + "'s walkable top.",
                      index);
        }
    }

    // The summary's measures of how hard the items make a piece. Slots are neighbours when
    // they are next to each other in the same lane or the same third.
    void measureItems(const LevelElement& element, const CoursePiece& piece)
    {
        CourseSummary& summary = report.summary;
        auto obstacleAt = [&](int row, int column) {
            return row >= 0 && row < 3 && column >= 0 && column < 3 &&
                   itemKindFor(element.items[size_t(row * 3 + column)]) == ItemKind::Obstacle;
        };
        for (const LevelSlot& slot : levelSlots) {
            const int code = element.items[size_t(slot.row * 3 + slot.column)];
            summary.rollers += code == 1 ? 1 : 0;
            if (itemKindFor(code) != ItemKind::Ingredient)
                continue;
            summary.fruitInOuterLanes += slot.row != 1 ? 1 : 0;
            const bool beside = obstacleAt(slot.row - 1, slot.column) || obstacleAt(slot.row + 1, slot.column) ||
                                obstacleAt(slot.row, slot.column - 1) || obstacleAt(slot.row, slot.column + 1);
            summary.fruitBesideObstacles += beside ? 1 : 0;
        }
        if (piece.kind == WallKind::Straight)
            for (int row = 0; row < 3; ++row)
                summary.openLanes += !obstacleAt(row, 0) && !obstacleAt(row, 1) && !obstacleAt(row, 2) ? 1 : 0;
    }

    // Each piece is searched for a way past its obstacles and those of the pieces it meets,
    // which may stand close to the shared edge: from where the way through the previous
    // piece comes out (or its whole entry edge after a gap or a closed piece) to its exit.
    // The grid of each wall kind's top is made once, for the first piece that needs it.
    void checkPassages(const CoursePath& path, const std::vector<LevelElement>& elements,
                       const std::vector<int>& elementOf)
    {
        std::array<PiecePassage, 3> passages; // by WallKind; sampled when first needed
        std::vector<int> closing;
        std::vector<unsigned char> reached; // exit edge points the way through the previous piece reaches
        bool carried = false;               // `reached` holds for the piece at hand
        for (size_t k = 0; k < path.pieces.size(); ++k) {
            const CoursePiece& piece = path.pieces[k];
            const WalkableTop& top = tops[size_t(piece.kind)];
            const PathSegment& segment = path.segments[k];
            const glm::ivec2 entrySide = localSide(piece, segment.entry);
            std::vector<unsigned char> entryOpen;
            if (carried && segment.linkedToPrevious)
                entryOpen = toNextPiece(path, k - 1, reached);
            carried = false;
            if (top.empty())
                continue;
            std::vector<PlacedObstacle> obstacles;
            std::vector<int> ownerOf; // the level element of each obstacle
            // Its own first, then the previous piece's and the next one's where they meet it.
            std::vector<size_t> near = {k};
            if (segment.linkedToPrevious)
                near.push_back(k - 1);
            if (k + 1 < path.pieces.size() && path.segments[k + 1].linkedToPrevious)
                near.push_back(k + 1);
            for (size_t n : near) {
                const LevelElement& element = elements[size_t(elementOf[n])];
                for (const PlacedObstacle& obstacle : placeObstacles(element, piece, models.obstacles)) {
                    obstacles.push_back(obstacle);
                    ownerOf.push_back(elementOf[n]);
                }
            }
            PiecePassage& passage = passages[size_t(piece.kind)];
            if (passage.empty())
                passage = PiecePassage(top);
            const glm::ivec2 exitSide = piece.kind == WallKind::End ? glm::ivec2(0) : localSide(piece, segment.exit);
            if (passage.passable(entrySide, exitSide, obstacles, closing, entryOpen.empty() ? nullptr : &entryOpen,
                                 &reached)) {
                carried = true;
                continue;
            }
            const char* toward = piece.kind == WallKind::End ? "the goal" : "its exit";
            error(closedPieces,
                  elementName(elementOf[k]) + ": the ball cannot pass this " + wallKindName(piece.kind) + ": " +
                      obstacleList(obstacles, ownerOf, elementOf[k], closing) + " leave no gap it fits through from " +
                      (entryOpen.empty() ? "its entry" : "where it comes in") + " to " + toward + ".",
                  elementOf[k]);
        }
    }

    // The points of piece `from`'s exit edge in `reached`, as points of the next piece's
    // entry edge: the two edges are one line in the world.
    static std::vector<unsigned char> toNextPiece(const CoursePath& path, size_t from,
                                                  const std::vector<unsigned char>& reached)
    {
        const CoursePiece& a = path.pieces[from];
        const CoursePiece& b = path.pieces[from + 1];
        const glm::ivec2 exitSide = localSide(a, path.segments[from].exit);
        const glm::ivec2 entrySide = localSide(b, path.segments[from + 1].entry);
        std::vector<unsigned char> open(size_t(edgePointCount), 0);
        for (int index = 0; index < edgePointCount; ++index)
            if (reached[size_t(index)]) {
                const glm::vec3 world = toWorld(a, edgePointPosition(index, exitSide));
                open[size_t(edgePointIndex(toLocal(b, world), entrySide))] = 1;
            }
        return open;
    }

    // The side of its cell a point on a piece's edge lies on, in the piece's coordinates.
    static glm::ivec2 localSide(const CoursePiece& piece, glm::vec3 edgePoint)
    {
        const glm::vec2 local = toLocal(piece, edgePoint) / (cellPitch * 0.5f);
        return glm::ivec2(int(std::lround(local.x)), int(std::lround(local.y)));
    }

    void checkStartAndHeights(const std::vector<CoursePiece>& pieces, const std::vector<int>& elementOf)
    {
        const CoursePiece& first = pieces.front();
        const glm::vec2 drop = toLocal(first, heroStartPosition);
        const WalkableTop& top = tops[size_t(first.kind)];
        const bool inCell = std::fabs(drop.x) < 3.0f && std::fabs(drop.y) < 3.0f;
        if (!inCell || (!top.empty() && !top.holds(drop, heroRadius)))
            error(elementName(elementOf.front()) + ": the ball is dropped at (0, 4, -1), which is not above the "
                                                   "walkable top of this first piece.",
                  elementOf.front());
        else if (first.origin.y + heroRadius >= heroStartPosition.y)
            error(elementName(elementOf.front()) + ": the first piece's top at height " + formatNumber(first.origin.y) +
                      " is not below the ball's drop height 4.",
                  elementOf.front());
        for (size_t k = 0; k < pieces.size(); ++k)
            if (pieces[k].origin.y < fallHeight) // the resting ball would be within its radius of the line
                error(lowPieces, elementName(elementOf[k]) + ": its top at height " + formatNumber(pieces[k].origin.y) +
                      " is too low: below " + formatNumber(fallHeight) + " the ball counts as fallen.",
                      elementOf[k]);
    }

    void checkChain(const CoursePath& path, const std::vector<int>& elementOf)
    {
        const std::vector<CoursePiece>& pieces = path.pieces;
        for (size_t k = 1; k < pieces.size(); ++k) {
            if (path.segments[k].linkedToPrevious)
                continue;
            const CoursePiece& a = pieces[k - 1];
            const CoursePiece& b = pieces[k];
            const std::string names = elementName(elementOf[k - 1]) + " and " + elementName(elementOf[k]);
            const glm::ivec2 step = cellOf(b) - cellOf(a);
            std::string why;
            if (std::abs(step.x) + std::abs(step.y) != 1)
                why = "the second does not stand in a cell next to the first";
            else if (std::fabs(a.origin.y - b.origin.y) > 0.01f)
                why = "their tops are at different heights (" + formatNumber(a.origin.y) + " and " +
                      formatNumber(b.origin.y) + ")";
            else if (path.segments[k - 1].exitSide != step)
                why = "the first (" + std::string(wallKindName(a.kind)) + ") is not open toward the second, on its " +
                      sideName(step) + " side";
            else
                why = "the second (" + std::string(wallKindName(b.kind)) + ") is not open toward the first, on its " +
                      sideName(-step) + " side";
            error(unconnected, names + " do not connect: " + why + ".", elementOf[k - 1]);
        }
    }

    // Pieces overlap when they share a cell and stand less than stackClearance apart in
    // height. Pieces are gathered by cell in a hash map and sorted by height within it, so
    // the test is near-linear however many pieces share a cell; pairs beyond the listed
    // ones are counted, not built.
    void checkOverlaps(const std::vector<CoursePiece>& pieces, const std::vector<int>& elementOf)
    {
        std::unordered_map<unsigned long long, std::vector<size_t>> cells;
        std::vector<unsigned long long> cellOrder; // cells in the order of their first piece
        for (size_t k = 0; k < pieces.size(); ++k) {
            const unsigned long long key = cellKey(cellOf(pieces[k]));
            std::vector<size_t>& cell = cells[key];
            if (cell.empty())
                cellOrder.push_back(key);
            cell.push_back(k);
        }
        auto height = [&](size_t k) { return pieces[k].origin.y; };
        for (unsigned long long key : cellOrder) {
            std::vector<size_t>& cell = cells[key];
            std::stable_sort(cell.begin(), cell.end(), [&](size_t a, size_t b) { return height(a) < height(b); });
            for (size_t i = 0; i < cell.size(); ++i) {
                // The pieces from i + 1 up to `clear` stand too close above piece i.
                const size_t clear = size_t(
                    std::lower_bound(cell.begin() + long(i) + 1, cell.end(), height(cell[i]) + stackClearance,
                                     [&](size_t k, float limit) { return height(k) < limit; }) -
                    cell.begin());
                size_t j = i + 1;
                for (; j < clear && errorLimit.list(overlaps); ++j) {
                    const size_t a = std::min(cell[i], cell[j]), b = std::max(cell[i], cell[j]);
                    error(elementName(elementOf[a]) + " and " + elementName(elementOf[b]) +
                              " overlap: both stand in the same cell" +
                              (height(a) == height(b) ? std::string(".") : ", too close above each other."),
                          elementOf[a]);
                }
                if (j < clear)
                    errorLimit.skip(overlaps, int(clear - j - 1)); // list() counted the one at j
            }
        }
    }

    void checkEnd(const std::vector<CoursePiece>& pieces, const std::vector<int>& elementOf)
    {
        bool anyEnd = false;
        for (size_t k = 0; k < pieces.size(); ++k) {
            if (pieces[k].kind != WallKind::End)
                continue;
            anyEnd = true;
            if (k + 1 < pieces.size())
                error(earlyEnds, elementName(elementOf[k]) + ": an end piece must be the last piece, but " +
                      std::to_string(pieces.size() - k - 1) + " more follow it.",
                      elementOf[k]);
        }
        if (!anyEnd)
            error("The course has no end piece (\"typ\": 0): the goal would be the last piece's origin.");
    }

    // The camera follows the ball down from the drop point to where it comes to rest on
    // the first piece; a goal within reach of any of those camera positions is won before
    // the player has moved.
    void checkGoalAtDrop(const std::vector<CoursePiece>& pieces, const std::vector<LevelElement>& elements,
                         const std::vector<int>& elementOf)
    {
        const CourseGoal goal = courseGoalOf(elements);
        const float restingHeight = std::min(heroStartPosition.y, pieces.front().origin.y + heroRadius);
        const glm::vec3 resting(heroStartPosition.x, restingHeight, heroStartPosition.z);
        const glm::vec3 top = followCameraPosition(heroStartPosition, 0.0f);
        const glm::vec3 bottom = followCameraPosition(resting, 0.0f);
        const glm::vec3 fall = bottom - top;
        const float fallSquared = glm::dot(fall, fall);
        const float along = fallSquared > 0.0f ? glm::dot(goal.position - top, fall) / fallSquared : 0.0f;
        const glm::vec3 nearest = top + fall * std::max(0.0f, std::min(1.0f, along));
        if (goalReachedFrom(nearest, goal))
            error(elementName(elementOf.back()) + ": the end piece lies within " + formatNumber(goalReachDistance, 0) +
                      " units of the start, so the goal is reached at once",
                  elementOf.back());
    }
};

} // namespace

int CourseReport::errors() const
{
    int count = 0;
    for (const CourseFinding& finding : findings)
        count += finding.error ? finding.count : 0;
    return count;
}

int CourseReport::warnings() const
{
    int count = 0;
    for (const CourseFinding& finding : findings)
        count += finding.error ? 0 : finding.count;
    return count;
}

std::string CourseReport::firstError() const
{
    for (const CourseFinding& finding : findings)
        if (finding.error)
            return finding.text;
    return "";
}

CourseReport checkCourse(const std::string& levelText, const CourseModels& models)
{
    Checker checker{models, models.tops, {}, {}, {}};
    const LevelDescription level = parseLevel(levelText);
    if (!level.ok) {
        for (const std::string& problem : level.problems)
            checker.error(problem);
        for (const ReportLimit::More& more : level.moreProblems)
            checker.report.findings.push_back({true, more.line, more.count});
        return checker.report;
    }
    checker.report.readable = true;

    std::vector<CoursePiece> pieces;
    std::vector<int> elementOf; // level element of each piece
    checker.checkElements(level.elements, pieces, elementOf);
    if (pieces.empty()) {
        checker.error("The course has no wall piece: there is nowhere to play and no goal.");
        checker.countUnlisted();
        return checker.report;
    }
    const CoursePath path(pieces);
    checker.checkStartAndHeights(pieces, elementOf);
    checker.checkChain(path, elementOf);
    checker.checkOverlaps(pieces, elementOf);
    checker.checkPassages(path, level.elements, elementOf);
    checker.checkEnd(pieces, elementOf);
    checker.checkGoalAtDrop(pieces, level.elements, elementOf);
    checker.countUnlisted();
    checker.report.summary.pathLength = path.goalDistance;
    return checker.report;
}

std::string formatCourseReport(const CourseReport& report)
{
    std::ostringstream out;
    for (const CourseFinding& finding : report.findings) {
        // The reader's own lines already say "FAILED:", as the game prints them.
        const bool readerLine = finding.text.rfind("FAILED:", 0) == 0;
        out << (readerLine ? "" : finding.error ? "ERROR: " : "WARNING: ") << finding.text << "\n";
    }
    if (report.readable) {
        const CourseSummary& s = report.summary;
        out << "Course: " << counted(s.pieces, "piece", "pieces") << " (" << s.straights << " straight, "
            << counted(s.curves, "curve", "curves") << ", " << s.endPieces << " end), " << s.fruit << " fruit worth "
            << counted(s.points, "point", "points") << ", " << counted(s.obstacles, "obstacle", "obstacles")
            << ", path length " << formatNumber(s.pathLength) << " units.\n";
    } else {
        out << "Course: the shape is checked once the file reads without errors.\n";
    }
    const int errors = report.errors(), warnings = report.warnings();
    if (errors == 0)
        out << "OK: the course has no errors" << (warnings ? " (" + counted(warnings, "warning", "warnings") + ")." : ".")
            << "\n";
    else
        out << "FAILED: " << counted(errors, "error", "errors") << ", " << counted(warnings, "warning", "warnings")
            << ".\n";
    return out.str();
}

} // namespace vantor::scene
