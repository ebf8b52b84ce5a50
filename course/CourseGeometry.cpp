#include "course/CourseGeometry.h"

#include "model/CollisionMesh.h"
#include "scene/LevelFile.h"

#include <cmath>
#include <glm/geometric.hpp>

namespace vantor::scene {

namespace {

const float halfCell = cellPitch * 0.5f;
const float quarterTurnRadians = 1.5707964f;

// Local (x, z) turned by quarter turns about +y: x' = x cos + z sin, z' = -x sin + z cos.
glm::vec2 turned(glm::vec2 local, int quarterTurns)
{
    const int c[4] = {1, 0, -1, 0}, s[4] = {0, 1, 0, -1};
    const int q = ((quarterTurns % 4) + 4) % 4;
    return glm::vec2(local.x * float(c[q]) + local.y * float(s[q]), -local.x * float(s[q]) + local.y * float(c[q]));
}

glm::ivec2 turnedSide(glm::ivec2 local, int quarterTurns)
{
    const glm::vec2 side = turned(glm::vec2(local), quarterTurns);
    return glm::ivec2(int(std::lround(side.x)), int(std::lround(side.y)));
}

glm::vec3 along(glm::vec3 point, glm::vec2 direction, float distance)
{
    return point + glm::vec3(direction.x, 0.0f, direction.y) * distance;
}

glm::vec2 rightOf(glm::vec2 travel)
{
    return glm::vec2(-travel.y, travel.x);
}

bool contains(const std::vector<glm::ivec2>& sides, glm::ivec2 side)
{
    for (glm::ivec2 s : sides)
        if (s == side)
            return true;
    return false;
}

// The step from cell a to cell b if they are neighbours, else (0, 0).
glm::ivec2 neighbourStep(const CoursePiece& a, const CoursePiece& b)
{
    const glm::ivec2 step = cellOf(b) - cellOf(a);
    return std::abs(step.x) + std::abs(step.y) == 1 ? step : glm::ivec2(0);
}

} // namespace

WallKind wallKindOf(int typ)
{
    switch (typ) {
    case 0: return WallKind::End;
    case 1: return WallKind::Straight;
    case 2: return WallKind::Curve;
    default: return WallKind::Unsupported;
    }
}

const char* wallKindName(WallKind kind)
{
    switch (kind) {
    case WallKind::End: return "end piece";
    case WallKind::Straight: return "straight piece";
    case WallKind::Curve: return "curve";
    case WallKind::Unsupported: break;
    }
    return "unsupported piece";
}

CoursePiece coursePieceOf(const LevelElement& element)
{
    // The walls collide as addCollisionTriangles turns them, so the path follows that turn.
    const glm::mat4 matrix = wallMatrixFor(element);
    const int turns = int(std::lround(recogniseYaw(matrix) / quarterTurnRadians));
    return CoursePiece{wallKindOf(element.typ), glm::vec3(matrix[3]), ((turns % 4) + 4) % 4};
}

std::vector<glm::ivec2> openSides(const CoursePiece& piece)
{
    std::vector<glm::ivec2> sides;
    if (piece.kind == WallKind::Unsupported)
        return sides;
    sides.push_back(turnedSide({0, 1}, piece.quarterTurns));
    if (piece.kind == WallKind::Straight)
        sides.push_back(turnedSide({0, -1}, piece.quarterTurns));
    if (piece.kind == WallKind::Curve)
        sides.push_back(turnedSide({-1, 0}, piece.quarterTurns));
    return sides;
}

glm::ivec2 cellOf(const CoursePiece& piece)
{
    return glm::ivec2(int(std::lround(piece.origin.x / cellPitch)), int(std::lround(piece.origin.z / cellPitch)));
}

glm::vec2 toLocal(const CoursePiece& piece, glm::vec3 world)
{
    return turned(glm::vec2(world.x - piece.origin.x, world.z - piece.origin.z), -piece.quarterTurns);
}

glm::vec3 toWorld(const CoursePiece& piece, glm::vec2 local)
{
    const glm::vec2 offset = turned(local, piece.quarterTurns);
    return piece.origin + glm::vec3(offset.x, 0.0f, offset.y);
}

CoursePath::CoursePath(const std::vector<CoursePiece>& coursePieces) : pieces(coursePieces)
{
    for (size_t i = 0; i < pieces.size(); ++i) {
        const CoursePiece& piece = pieces[i];
        const std::vector<glm::ivec2> sides = openSides(piece);
        const glm::ivec2 towardPrevious = i > 0 ? neighbourStep(piece, pieces[i - 1]) : glm::ivec2(0);
        const glm::ivec2 towardNext = i + 1 < pieces.size() ? neighbourStep(piece, pieces[i + 1]) : glm::ivec2(0);

        PathSegment segment{};
        segment.piece = int(i);
        segment.kind = piece.kind;
        // A two-sided piece is entered from the previous piece if it is open toward it,
        // otherwise so that it leaves toward the next one; failing both, at its local +z.
        if (towardPrevious != glm::ivec2(0) && contains(sides, towardPrevious))
            segment.entrySide = towardPrevious;
        else if (sides.size() == 2 && towardNext != glm::ivec2(0) && contains(sides, towardNext))
            segment.entrySide = sides[0] == towardNext ? sides[1] : sides[0];
        else
            segment.entrySide = sides.empty() ? glm::ivec2(0, 1) : sides[0];
        if (sides.size() == 2)
            segment.exitSide = sides[0] == segment.entrySide ? sides[1] : sides[0];

        const glm::vec2 inward = -glm::vec2(segment.entrySide);
        segment.entry = along(piece.origin, glm::vec2(segment.entrySide), halfCell);
        switch (piece.kind) {
        case WallKind::Curve: {
            segment.exit = along(piece.origin, glm::vec2(segment.exitSide), halfCell);
            segment.pivot = along(segment.entry, glm::vec2(segment.exitSide), halfCell);
            const glm::vec2 out(segment.exitSide);
            segment.turn = inward.x * out.y - inward.y * out.x < 0.0f ? -1 : 1;
            segment.length = halfCell * quarterTurnRadians;
            break;
        }
        case WallKind::End:
            segment.exit = along(piece.origin, inward, endRunOut);
            segment.length = halfCell + endRunOut;
            break;
        default:
            segment.exit = along(piece.origin, glm::vec2(segment.exitSide), halfCell);
            segment.length = cellPitch;
        }
        segment.start = length;
        if (i > 0) {
            const PathSegment& previous = segments.back();
            segment.linkedToPrevious = segment.entrySide == towardPrevious && towardPrevious != glm::ivec2(0) &&
                                       previous.exitSide == -towardPrevious &&
                                       std::fabs(piece.origin.y - pieces[i - 1].origin.y) < 0.01f;
        }
        goalDistance = length + (piece.kind == WallKind::Curve ? segment.length * 0.5f : halfCell);
        length += segment.length;
        segments.push_back(segment);
    }
}

int CoursePath::segmentAt(float distance) const
{
    int index = 0;
    for (size_t k = 0; k < segments.size(); ++k)
        if (distance >= segments[k].start)
            index = int(k);
    return index;
}

PathPoint CoursePath::pointAt(float distance, float across) const
{
    PathPoint point{glm::vec3(0.0f), glm::vec2(0.0f, -1.0f), 0};
    if (segments.empty())
        return point;
    distance = std::fmax(0.0f, std::fmin(distance, length));
    point.segment = segmentAt(distance);
    const PathSegment& segment = segments[size_t(point.segment)];
    const float t = std::fmin(distance - segment.start, segment.length);
    if (segment.kind == WallKind::Curve) {
        const float angle = t / halfCell;
        const glm::vec3 a = segment.entry - segment.pivot, b = segment.exit - segment.pivot;
        point.position = segment.pivot + a * std::cos(angle) + b * std::sin(angle);
        const glm::vec3 tangent = b * std::cos(angle) - a * std::sin(angle);
        point.tangent = glm::normalize(glm::vec2(tangent.x, tangent.z));
    } else {
        point.tangent = -glm::vec2(segment.entrySide);
        point.position = along(segment.entry, point.tangent, t);
    }
    point.position = along(point.position, rightOf(point.tangent), across);
    return point;
}

PathCoordinates CoursePath::locate(glm::vec3 world, int hint) const
{
    PathCoordinates coordinates{0.0f, 0.0f, 0};
    if (segments.empty())
        return coordinates;
    const int count = int(segments.size());
    hint = std::max(0, std::min(hint, count - 1));
    int found = -1;
    auto inCell = [&](int k) {
        const glm::vec2 local = toLocal(pieces[size_t(k)], world);
        return std::fabs(local.x) <= halfCell + 0.01f && std::fabs(local.y) <= halfCell + 0.01f &&
               std::fabs(world.y - pieces[size_t(k)].origin.y) < 3.0f;
    };
    for (int k = hint; k < count && found < 0; ++k)
        if (inCell(k))
            found = k;
    for (int k = hint - 1; k >= 0 && found < 0; --k)
        if (inCell(k))
            found = k;
    if (found < 0) {
        // Off every cell (falling, or over a gap): the nearest piece from the hint on.
        float best = 1e30f;
        for (int k = hint; k < count; ++k) {
            const glm::vec3 offset = world - pieces[size_t(k)].origin;
            const float distance = glm::dot(offset, offset);
            if (distance < best) {
                best = distance;
                found = k;
            }
        }
    }
    const PathSegment& segment = segments[size_t(found)];
    coordinates.segment = found;
    if (segment.kind == WallKind::Curve) {
        const glm::vec3 a = segment.entry - segment.pivot, b = segment.exit - segment.pivot;
        const glm::vec3 offset = world - segment.pivot;
        const glm::vec2 relative(offset.x, offset.z);
        const float angle = std::atan2(glm::dot(relative, glm::vec2(b.x, b.z)), glm::dot(relative, glm::vec2(a.x, a.z)));
        const float radius = glm::length(relative);
        coordinates.along = segment.start + angle * halfCell;
        coordinates.across = segment.turn < 0 ? radius - halfCell : halfCell - radius;
    } else {
        const glm::vec2 travel = -glm::vec2(segment.entrySide);
        const glm::vec3 offset = world - segment.entry;
        coordinates.along = segment.start + glm::dot(glm::vec2(offset.x, offset.z), travel);
        coordinates.across = glm::dot(glm::vec2(offset.x, offset.z), rightOf(travel));
    }
    return coordinates;
}

} // namespace vantor::scene
