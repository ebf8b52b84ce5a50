// The course map of written courses: what lies where is read back from single pixels at
// known world places (never by comparing whole pictures).
#include "course/CourseCheck.h"
#include "scene/AttemptStart.h"
#include "scene/LevelFile.h"
#include "support/CourseWriter.h"
#include "support/ShippedWallTops.h"
#include "tooling/CourseMap.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vantor::scene;

namespace {

const CourseModels& models()
{
    static const CourseModels shipped = shippedCourseModels();
    return shipped;
}

// Where the game puts the item of `slot` of `element`.
glm::vec3 slotPlace(const LevelElement& element, const char* key)
{
    for (const LevelSlot& slot : levelSlots)
        if (std::string(slot.key) == key)
            return glm::vec3(itemMatrixFor(slot.row, slot.column, slotPrototypeMatrix(), wallMatrixFor(element))[3]);
    return glm::vec3(0.0f);
}

glm::vec3 originOf(const LevelElement& element)
{
    return glm::vec3(wallMatrixFor(element)[3]);
}

::testing::AssertionResult colourAt(const CourseMap& map, glm::vec3 world, glm::ivec3 expected)
{
    const glm::ivec3 found = map.colourAt(map.pixelOf(world));
    if (found == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at (" << world.x << ", " << world.z << ") found (" << found.r << ", "
                                         << found.g << ", " << found.b << "), expected (" << expected.r << ", "
                                         << expected.g << ", " << expected.b << ")";
}

bool isTop(const CourseMap& map, glm::vec3 world)
{
    const glm::ivec3 found = map.colourAt(map.pixelOf(world));
    return found == mapColour::top || found == mapColour::otherTop;
}

} // namespace

TEST(CourseMap, ShowsThePiecesTheirItemsTheDropTheGoalAndTheBallsPath)
{
    const std::string text = courseText(
        {{'S', ""}, {'S', "a..|.b.|..R"}, {'L', "..S"}, {'S', "...|...|F.."}, {'E', ""}});
    const std::vector<LevelElement> elements = parseLevel(text).elements;
    const CourseReport report = checkCourse(text, models());
    ASSERT_EQ(report.errors(), 0) << formatCourseReport(report);
    // The ball's way from the drop point down the first two pieces.
    const std::vector<glm::vec3> path = {heroStartPosition, heroStartPosition + glm::vec3(0.5f, 0.0f, -4.0f),
                                         originOf(elements[1]) + glm::vec3(0.0f, 0.0f, 2.0f)};
    const CourseMap map = drawCourseMap(text, models(), report, path);

    EXPECT_GE(std::max(map.width, map.height), 1024);
    ASSERT_EQ(map.pixels.size(), size_t(map.width) * size_t(map.height) * 3);
    // The tops show at the pieces' origins, and the empty cells beside them stay empty.
    EXPECT_TRUE(isTop(map, originOf(elements[2])));
    EXPECT_TRUE(isTop(map, originOf(elements[3])));
    EXPECT_TRUE(colourAt(map, originOf(elements[2]) + glm::vec3(4.5f, 0.0f, 0.0f), mapColour::background));
    EXPECT_TRUE(colourAt(map, originOf(elements[3]) + glm::vec3(0.0f, 0.0f, -4.5f), mapColour::background));
    EXPECT_TRUE(isTop(map, originOf(elements[1]) + glm::vec3(1.5f, 0.0f, 0.5f)));
    EXPECT_TRUE(colourAt(map, originOf(elements[1]) + glm::vec3(2.8f, 0.0f, 0.0f), mapColour::background));
    EXPECT_TRUE(colourAt(map, originOf(elements[1]) + glm::vec3(-2.8f, 0.0f, 0.0f), mapColour::background));

    EXPECT_TRUE(colourAt(map, slotPlace(elements[1], "lv"), mapColour::apple));
    EXPECT_TRUE(colourAt(map, slotPlace(elements[1], "mm"), mapColour::banana));
    EXPECT_TRUE(colourAt(map, slotPlace(elements[1], "rh"), mapColour::roller));
    EXPECT_TRUE(colourAt(map, slotPlace(elements[2], "lh"), mapColour::sandHeap));
    EXPECT_TRUE(colourAt(map, slotPlace(elements[3], "rv"), mapColour::fence));
    // A roller is a log along its lane: its footprint reaches past the slot along the lane,
    // not across it to the next lane.
    EXPECT_TRUE(colourAt(map, slotPlace(elements[1], "rh") + glm::vec3(0.0f, 0.0f, 0.5f), mapColour::roller));
    EXPECT_TRUE(isTop(map, slotPlace(elements[1], "rh") + glm::vec3(0.6f, 0.0f, 0.0f)));

    EXPECT_TRUE(colourAt(map, heroStartPosition, mapColour::drop));
    EXPECT_TRUE(colourAt(map, originOf(elements[4]), mapColour::goal));
    // The middle of each line of the path.
    EXPECT_TRUE(colourAt(map, (path[0] + path[1]) * 0.5f, mapColour::ballPath));
    EXPECT_TRUE(colourAt(map, (path[1] + path[2]) * 0.5f, mapColour::ballPath));
    EXPECT_FALSE(colourAt(map, originOf(elements[3]), mapColour::ballPath));
}

TEST(CourseMap, MarksEachErrorWhereItIs)
{
    const std::string text = courseText({{'S', ""}, {'S', ""}, {'L', "RRR"}, {'S', ""}, {'E', ""}});
    const std::vector<LevelElement> elements = parseLevel(text).elements;
    const CourseReport report = checkCourse(text, models());
    ASSERT_EQ(report.errors(), 1) << formatCourseReport(report);
    const CourseMap map = drawCourseMap(text, models(), report, {});

    // A ring around the closed curve, none around the pieces without errors, no frame.
    for (const glm::vec3 side : {glm::vec3(3.1f, 0.0f, 0.0f), glm::vec3(0.0f, 0.0f, -3.1f)}) {
        EXPECT_TRUE(colourAt(map, originOf(elements[2]) + side, mapColour::error));
        EXPECT_FALSE(colourAt(map, originOf(elements[0]) + side, mapColour::error));
    }
    EXPECT_FALSE(colourAt(map, originOf(elements[2]), mapColour::error));
    EXPECT_NE(map.colourAt({0, 0}), mapColour::error);

    // An error of the whole course (no end piece) frames the picture.
    const std::string open = courseText({{'S', ""}, {'S', ""}});
    const CourseMap framed = drawCourseMap(open, models(), checkCourse(open, models()), {});
    EXPECT_EQ(framed.colourAt({0, 0}), mapColour::error);
    EXPECT_EQ(framed.colourAt({framed.width - 1, framed.height / 2}), mapColour::error);
}
