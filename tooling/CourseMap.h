#pragma once
#include <cstdint>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <vector>

namespace vantor::scene {

struct CourseModels;
struct CourseReport;

// A course seen from above, as an 8-bit RGB picture: world -z is up, +x to the right.
struct CourseMap {
    int width = 0;               // pixels
    int height = 0;              // pixels
    std::vector<uint8_t> pixels; // width x height x 3 bytes, rows top to bottom
    glm::vec2 worldCorner{0.0f}; // world (x, z) at the top left corner of the picture
    float pixelsPerUnit = 1.0f;  // pixels a world unit

    // The pixel a world point lies in (its height is ignored); may lie outside the picture.
    glm::ivec2 pixelOf(glm::vec3 world) const;
    // The colour at a pixel; black outside the picture.
    glm::ivec3 colourAt(glm::ivec2 pixel) const;
};

// What each thing is drawn in.
namespace mapColour {
const glm::ivec3 background(28, 32, 44);
const glm::ivec3 top(176, 176, 166);          // a piece's walkable top (every other piece a shade darker)
const glm::ivec3 otherTop(150, 150, 142);
const glm::ivec3 roller(128, 76, 36);
const glm::ivec3 fence(86, 110, 150);
const glm::ivec3 barricade(92, 56, 30);
const glm::ivec3 sandHeap(214, 190, 120);      // the ball rolls over it
const glm::ivec3 banana(250, 222, 30);
const glm::ivec3 apple(214, 36, 36);
const glm::ivec3 drop(40, 200, 255);          // where the ball is dropped
const glm::ivec3 goal(40, 220, 70);           // the goal and the circle of goalReachDistance around it
const glm::ivec3 error(255, 0, 255);          // a ring around each element with an error; a frame for the course
const glm::ivec3 ballPath(255, 255, 255);
} // namespace mapColour

// Draws the course of `levelText` from above: each piece's walkable top, each obstacle by
// the footprint of its placed collision shape, each fruit as a disc of its colour, the drop
// point, the goal, a ring around every element that `report` finds an error in (a frame
// around the picture for an error of the whole course), and `ballPath` (world positions in
// order; empty for none) as a line. The picture is at least 1024 pixels on its long side, at
// most 24 pixels a unit unless that is needed to reach 1024, and at most 16384 pixels on its
// long side and 16 million in all. A file the reader refuses gives a picture of the
// background in a frame.
CourseMap drawCourseMap(const std::string& levelText, const CourseModels& models, const CourseReport& report,
                        const std::vector<glm::vec3>& ballPath);

} // namespace vantor::scene
