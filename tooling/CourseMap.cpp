#include "tooling/CourseMap.h"

#include "course/CourseCheck.h"
#include "course/CourseGeometry.h"
#include "course/PiecePassage.h"
#include "scene/AttemptStart.h"
#include "scene/LevelFile.h"

#include <algorithm>
#include <cmath>
#include <glm/common.hpp>
#include <glm/geometric.hpp>

namespace vantor::scene {

namespace {

const float margin = 3.0f;          // world units of background around the course
const int shortestLongSide = 1024;  // pixels
const int longestLongSide = 16384;  // pixels
const float mostPixels = 16.0f * 1024.0f * 1024.0f; // 48 MiB of RGB
const float finestScale = 24.0f;    // pixels a unit, unless the picture would be too small
const float topSampleStep = 0.025f; // world units between the samples of a wall kind's top
const float fruitRadius = 0.3f;     // world units; the fruit's collision sphere
const float goalMarkRadius = 0.6f;  // world units

class Painter {
public:
    explicit Painter(CourseMap& map) : map(map) {}

    void pixel(int x, int y, glm::ivec3 colour)
    {
        if (x < 0 || y < 0 || x >= map.width || y >= map.height)
            return;
        uint8_t* p = &map.pixels[(size_t(y) * size_t(map.width) + size_t(x)) * 3];
        p[0] = uint8_t(colour.r), p[1] = uint8_t(colour.g), p[2] = uint8_t(colour.b);
    }

    // Everything within [inner, outer] world units of `centre`; at least one pixel wide.
    void ring(glm::vec3 centre, float inner, float outer, glm::ivec3 colour)
    {
        const glm::vec2 c = exact(centre);
        const float r1 = inner * map.pixelsPerUnit, r2 = std::max(outer * map.pixelsPerUnit, r1 + 1.0f);
        for (int y = int(std::floor(c.y - r2)); y <= int(std::ceil(c.y + r2)); ++y)
            for (int x = int(std::floor(c.x - r2)); x <= int(std::ceil(c.x + r2)); ++x) {
                const float d = glm::length(glm::vec2(float(x) + 0.5f, float(y) + 0.5f) - c);
                if (d <= r2 && d >= r1)
                    pixel(x, y, colour);
            }
    }
    void disc(glm::vec3 centre, float radius, glm::ivec3 colour) { ring(centre, 0.0f, radius, colour); }

    // The upright world rectangle between two (x, z) corners.
    void rectangle(glm::vec2 a, glm::vec2 b, glm::ivec3 colour)
    {
        const glm::vec2 low = exact(glm::vec3(glm::min(a, b).x, 0.0f, glm::min(a, b).y));
        const glm::vec2 high = exact(glm::vec3(glm::max(a, b).x, 0.0f, glm::max(a, b).y));
        for (int y = int(std::floor(low.y)); y < std::max(int(std::ceil(high.y)), int(std::floor(low.y)) + 1); ++y)
            for (int x = int(std::floor(low.x)); x < std::max(int(std::ceil(high.x)), int(std::floor(low.x)) + 1); ++x)
                pixel(x, y, colour);
    }

    // A line `width` pixels wide.
    void line(glm::vec3 from, glm::vec3 to, float width, glm::ivec3 colour)
    {
        const glm::vec2 a = exact(from), b = exact(to);
        const int steps = std::max(1, int(std::ceil(glm::length(b - a))));
        const int half = int(width / 2.0f);
        for (int k = 0; k <= steps; ++k) {
            const glm::vec2 p = a + (b - a) * (float(k) / float(steps));
            for (int dy = -half; dy <= half; ++dy)
                for (int dx = -half; dx <= half; ++dx)
                    pixel(int(std::floor(p.x)) + dx, int(std::floor(p.y)) + dy, colour);
        }
    }

    void frame(int width, glm::ivec3 colour)
    {
        for (int y = 0; y < map.height; ++y)
            for (int x = 0; x < map.width; ++x)
                if (x < width || y < width || x >= map.width - width || y >= map.height - width)
                    pixel(x, y, colour);
    }

    // Fills the pixels of a piece's cell that lie on its wall kind's top.
    void top(const CoursePiece& piece, const std::vector<unsigned char>& samples, int samplesPerSide,
             glm::ivec3 colour)
    {
        const float half = cellPitch * 0.5f;
        const glm::vec2 low = exact(piece.origin - glm::vec3(half, 0.0f, half));
        const glm::vec2 high = exact(piece.origin + glm::vec3(half, 0.0f, half));
        for (int y = int(std::floor(low.y)); y < int(std::ceil(high.y)); ++y)
            for (int x = int(std::floor(low.x)); x < int(std::ceil(high.x)); ++x) {
                const glm::vec2 local = toLocal(piece, world(x, y)) + glm::vec2(half);
                const int i = int(std::floor(local.x / topSampleStep)), j = int(std::floor(local.y / topSampleStep));
                if (i >= 0 && j >= 0 && i < samplesPerSide && j < samplesPerSide &&
                    samples[size_t(j * samplesPerSide + i)] != 0)
                    pixel(x, y, colour);
            }
    }

private:
    glm::vec2 exact(glm::vec3 point) const
    {
        return (glm::vec2(point.x, point.z) - map.worldCorner) * map.pixelsPerUnit;
    }
    glm::vec3 world(int x, int y) const
    {
        const glm::vec2 p = map.worldCorner + (glm::vec2(float(x), float(y)) + 0.5f) / map.pixelsPerUnit;
        return glm::vec3(p.x, 0.0f, p.y);
    }

    CourseMap& map;
};

glm::ivec3 obstacleColour(int code)
{
    switch (code) {
    case 1: return mapColour::roller;
    case 2: return mapColour::fence;
    case 3: return mapColour::barricade;
    default: return mapColour::sandHeap;
    }
}

// The picture's place and scale: every piece's cell and the drop point, with a margin.
void frameCourse(CourseMap& map, const std::vector<CoursePiece>& pieces)
{
    glm::vec2 low(heroStartPosition.x, heroStartPosition.z), high = low;
    for (const CoursePiece& piece : pieces) {
        low = glm::min(low, glm::vec2(piece.origin.x, piece.origin.z) - cellPitch * 0.5f);
        high = glm::max(high, glm::vec2(piece.origin.x, piece.origin.z) + cellPitch * 0.5f);
    }
    low -= margin;
    high += margin;
    const float longSide = std::max(high.x - low.x, high.y - low.y);
    const float area = (high.x - low.x) * (high.y - low.y);
    const float largest = std::min({finestScale, float(longestLongSide) / longSide, std::sqrt(mostPixels / area)});
    map.pixelsPerUnit = std::max(float(shortestLongSide) / longSide, largest);
    map.worldCorner = low;
    map.width = std::max(1, int(std::ceil((high.x - low.x) * map.pixelsPerUnit)));
    map.height = std::max(1, int(std::ceil((high.y - low.y) * map.pixelsPerUnit)));
    map.width = std::min(map.width, longestLongSide);
    map.height = std::min(map.height, longestLongSide);
}

} // namespace

glm::ivec2 CourseMap::pixelOf(glm::vec3 world) const
{
    const glm::vec2 p = (glm::vec2(world.x, world.z) - worldCorner) * pixelsPerUnit;
    return glm::ivec2(int(std::floor(p.x)), int(std::floor(p.y)));
}

glm::ivec3 CourseMap::colourAt(glm::ivec2 pixel) const
{
    if (pixel.x < 0 || pixel.y < 0 || pixel.x >= width || pixel.y >= height)
        return glm::ivec3(0);
    const uint8_t* p = &pixels[(size_t(pixel.y) * size_t(width) + size_t(pixel.x)) * 3];
    return glm::ivec3(p[0], p[1], p[2]);
}

CourseMap drawCourseMap(const std::string& levelText, const CourseModels& models, const CourseReport& report,
                        const std::vector<glm::vec3>& ballPath)
{
    CourseMap map;
    const LevelDescription level = parseLevel(levelText);
    std::vector<CoursePiece> pieces;
    std::vector<int> pieceOf(level.elements.size(), -1); // piece of each element, -1 for none
    for (size_t e = 0; e < level.elements.size(); ++e)
        if (wallKindOf(level.elements[e].typ) != WallKind::Unsupported) {
            pieceOf[e] = int(pieces.size());
            pieces.push_back(coursePieceOf(level.elements[e]));
        }
    frameCourse(map, pieces);
    map.pixels.resize(size_t(map.width) * size_t(map.height) * 3);
    Painter paint(map);
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x)
            paint.pixel(x, y, mapColour::background);

    // The tops, every other piece a shade darker so that the joints show.
    const int samplesPerSide = int(std::lround(cellPitch / topSampleStep));
    std::vector<unsigned char> samples[3];
    for (int k = 0; k < 3; ++k)
        samples[k] = models.tops[size_t(k)].coverage(glm::vec2(-cellPitch * 0.5f), topSampleStep, samplesPerSide,
                                                      samplesPerSide);
    for (size_t p = 0; p < pieces.size(); ++p)
        paint.top(pieces[p], samples[size_t(pieces[p].kind)], samplesPerSide,
                  p % 2 == 0 ? mapColour::top : mapColour::otherTop);

    // Obstacles by their footprints, fruit where the game puts it.
    for (size_t e = 0; e < level.elements.size(); ++e) {
        const LevelElement& element = level.elements[e];
        const CoursePiece piece = coursePieceOf(element);
        for (const PlacedObstacle& obstacle : placeObstacles(element, piece, models.obstacles)) {
            const glm::vec3 a = toWorld(piece, obstacle.low), b = toWorld(piece, obstacle.high);
            paint.rectangle(glm::vec2(a.x, a.z), glm::vec2(b.x, b.z), obstacleColour(obstacle.code));
        }
        for (const LevelSlot& slot : levelSlots) {
            const int code = element.items[size_t(&slot - levelSlots.data())];
            if (itemKindFor(code) != ItemKind::Ingredient)
                continue;
            const glm::vec3 at(itemMatrixFor(slot.row, slot.column, slotPrototypeMatrix(), wallMatrixFor(element))[3]);
            paint.disc(at, fruitRadius, code == 10 ? mapColour::banana : mapColour::apple);
        }
    }

    for (size_t k = 1; k < ballPath.size(); ++k)
        paint.line(ballPath[k - 1], ballPath[k], 3.0f, mapColour::ballPath);

    paint.disc(heroStartPosition, heroRadius, mapColour::drop);
    const CourseGoal goal = courseGoalOf(level.elements);
    if (goal.exists) {
        paint.disc(goal.position, goalMarkRadius, mapColour::goal);
        paint.ring(goal.position, goalReachDistance - 0.1f, goalReachDistance, mapColour::goal);
    }

    // Errors last, so that nothing covers them.
    bool courseError = !level.ok;
    for (const CourseFinding& finding : report.findings) {
        if (!finding.error)
            continue;
        if (finding.element < 0 || size_t(finding.element) >= level.elements.size()) {
            courseError = true;
            continue;
        }
        const glm::vec3 at(wallMatrixFor(level.elements[size_t(finding.element)])[3]);
        const float ringWidth = std::max(0.25f, 4.0f / map.pixelsPerUnit); // at least 4 pixels
        paint.ring(at, cellPitch * 0.5f, cellPitch * 0.5f + ringWidth, mapColour::error);
    }
    if (courseError)
        paint.frame(8, mapColour::error);
    return map;
}

} // namespace vantor::scene
