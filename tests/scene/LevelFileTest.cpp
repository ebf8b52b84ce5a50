#include "scene/LevelFile.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using namespace vantor::scene;

namespace {

const std::string allSlotsEmpty =
    R"("obstacles": {"lv":0,"lm":0,"lh":0,"mv":0,"mm":0,"mh":0,"rv":0,"rm":0,"rh":0})";

LevelDescription parseOk(const std::string& text)
{
    LevelDescription level = parseLevel(text);
    EXPECT_TRUE(level.ok) << level.error;
    return level;
}

void expectNear(const glm::vec3& actual, const glm::vec3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

} // namespace

TEST(LevelFile, MissingKeysDefaultToOneSoAnEmptySlotNeedsAnExplicitZero)
{
    const LevelDescription level = parseOk(R"({"elements": [ {"obstacles": {"mm": 10}} ]})");
    ASSERT_EQ(level.elements.size(), 1u);
    const LevelElement& e = level.elements[0];
    EXPECT_EQ(e.typ, 1);
    EXPECT_EQ(e.posx, 1);
    EXPECT_EQ(e.posy, 1);
    EXPECT_EQ(e.posz, 1);
    EXPECT_EQ(e.dir, 1);
    for (size_t s = 0; s < levelSlots.size(); ++s)
        EXPECT_EQ(e.items[s], std::string(levelSlots[s].key) == "mm" ? 10 : 1) << levelSlots[s].key;
}

TEST(LevelFile, ValuesAreConvertedLikeWholeNumbers)
{
    const LevelDescription level = parseOk(
        R"({"elements": [ {"typ": true, "posx": 2.9, "posy": -2.9, "posz": null, "dir": false, )" + allSlotsEmpty +
        "} ]}");
    const LevelElement& e = level.elements[0];
    EXPECT_EQ(e.typ, 1);
    EXPECT_EQ(e.posx, 2);
    EXPECT_EQ(e.posy, -2);
    EXPECT_EQ(e.posz, 0);
    EXPECT_EQ(e.dir, 0);
    EXPECT_FLOAT_EQ(wallMatrixFor(e)[3][0], -12.0f);
}

TEST(LevelFile, CommentsAndARootWithoutElementsAreAccepted)
{
    const LevelDescription level = parseOk("// an empty course\n{ \"name\": \"nothing\" }");
    EXPECT_TRUE(level.elements.empty());
    EXPECT_FALSE(courseGoalOf(level.elements).exists);
}

// Every way a file can break the format: one line naming where, no course, no exception.
TEST(LevelFile, MalformedFilesAreRejectedWithOneLineNamingElementAndKey)
{
    const std::string slots = allSlotsEmpty;
    const std::pair<std::string, std::string> cases[] = {
        {"{ \"elements\": [ ", "FAILED: could not parse JSON-File contents.\n"},
        {"", "FAILED: could not parse JSON-File contents.\n"},
        {"[1, 2]", "FAILED: level file: the root must be an object, found an array."},
        {"\"course\"", "FAILED: level file: the root must be an object, found a string."},
        {R"({"elements": {"typ": 1}})", "FAILED: level file, key \"elements\": an array is expected, found an object."},
        {R"({"elements": [ "wall" ]})", "FAILED: level element 0: an object is expected, found a string."},
        {R"({"elements": [ null ]})", "FAILED: level element 0: an object is expected, found null."},
        {R"({"elements": [ {"typ": 1} ]})", "FAILED: level element 0, key \"obstacles\": the slots are missing."},
        {R"({"elements": [ {"obstacles": [0, 0]} ]})",
         "FAILED: level element 0, key \"obstacles\": an object is expected, found an array."},
        {R"({"elements": [ {)" + slots + R"(}, {"posx": "2", )" + slots + "} ]}",
         "FAILED: level element 1, key \"posx\": a number is expected, found a string."},
        {R"({"elements": [ {"dir": [1], )" + slots + "} ]}",
         "FAILED: level element 0, key \"dir\": a number is expected, found an array."},
        {R"({"elements": [ {"posy": {"a": 1}, )" + slots + "} ]}",
         "FAILED: level element 0, key \"posy\": a number is expected, found an object."},
        {R"({"elements": [ {"obstacles": {"rh": "banana"}} ]})",
         "FAILED: level element 0, key \"obstacles.rh\": a number is expected, found a string."},
        {R"({"elements": [ {"posz": 3e9, )" + slots + "} ]}",
         "FAILED: level element 0, key \"posz\": the number 3000000000 is out of range."},
        {R"({"elements": [ {"typ": 3000000000, )" + slots + "} ]}",
         "FAILED: level element 0, key \"typ\": the number 3000000000 is out of range."},
    };
    for (const auto& [text, expected] : cases) {
        LevelDescription level;
        ASSERT_NO_THROW(level = parseLevel(text)) << text;
        EXPECT_FALSE(level.ok) << text;
        EXPECT_TRUE(level.elements.empty()) << text;
        EXPECT_EQ(level.error.compare(0, expected.size(), expected), 0) << text << "\n gave: " << level.error;
    }
}

TEST(LevelFile, OnlyKnownCodesPlaceSomething)
{
    for (int code : {1, 2, 3, 4})
        EXPECT_EQ(itemKindFor(code), ItemKind::Obstacle) << code;
    for (int code : {10, 11})
        EXPECT_EQ(itemKindFor(code), ItemKind::Ingredient) << code;
    for (int code : {-1, 0, 5, 6, 7, 8, 9, 12, 100})
        EXPECT_EQ(itemKindFor(code), ItemKind::None) << code;
}

TEST(LevelFile, UnsupportedWallKindsAreSkippedAndTheGoalIsTheLastPiece)
{
    const LevelDescription level = parseOk(R"({"elements": [
        {"typ": 1, "posx": 0, "posy": 0, "posz": 0, "dir": 0, )" + allSlotsEmpty + R"(},
        {"typ": 5, "posx": 0, "posy": 0, "posz": 1, "dir": 0, )" + allSlotsEmpty + R"(},
        {"typ": 0, "posx": 0, "posy": 2, "posz": 2, "dir": 0, )" + allSlotsEmpty + R"(} ]})");
    ASSERT_EQ(level.elements.size(), 3u);
    EXPECT_FALSE(isSupportedWallType(level.elements[1].typ));
    const CourseGoal goal = courseGoalOf(level.elements);
    EXPECT_TRUE(goal.exists);
    expectNear(goal.position, glm::vec3(0.0f, 2.0f, -12.0f));
}

TEST(LevelFile, ACourseOfUnsupportedPiecesHasNoGoal)
{
    const LevelDescription level = parseOk(R"({"elements": [ {"typ": 7, )" + allSlotsEmpty + "} ]})");
    const CourseGoal goal = courseGoalOf(level.elements);
    EXPECT_FALSE(goal.exists);
    expectNear(goal.position, glm::vec3(0.0f));
}

TEST(LevelFile, SlotsArePlacedOnThePieceAndTurnWithIt)
{
    LevelElement element{};
    element.posx = 1;
    element.posy = 3;
    element.posz = 2;
    element.dir = 0;
    const glm::vec3 origin(-6.0f, 3.0f, -12.0f);
    for (const LevelSlot& slot : levelSlots) {
        const glm::mat4 item = itemMatrixFor(slot.row, slot.column, slotPrototypeMatrix(), wallMatrixFor(element));
        const glm::vec3 local(slot.row * 1.13f - 1.15f, 0.0f, 1.8f - 2.0f * slot.column);
        expectNear(glm::vec3(item[3]), origin + local);
    }

    // A quarter turn carries the front left slot from (-1.15, 0, 1.8) to (1.8, 0, 1.15).
    element.dir = 1;
    const glm::mat4 turned = itemMatrixFor(0, 0, slotPrototypeMatrix(), wallMatrixFor(element));
    expectNear(glm::vec3(turned[3]) - origin, glm::vec3(1.8f, 0.0f, 1.15f));
}

// The limits a course file is held to, each at its edge: what lies on it is read, one more
// is refused with the reader's line.
TEST(LevelFile, PositionsElementsAndSizeBeyondTheLimitsAreRefused)
{
    const std::string edge = std::to_string(maxCourseCoordinate);
    LevelDescription level = parseOk(R"({"elements": [{"posx": )" + edge + R"(, "posy": -)" + edge +
                                     R"(, "posz": 0, )" + allSlotsEmpty + "}]}");
    ASSERT_EQ(level.elements.size(), 1u);
    EXPECT_EQ(level.elements[0].posx, maxCourseCoordinate);
    EXPECT_EQ(level.elements[0].posy, -maxCourseCoordinate);

    // The far piece that made the neighbour step of the course path overflow.
    for (const char* far : {"1000001", "2147483647", "-2147483648"}) {
        level = parseLevel(R"({"elements": [{"posx": 0, )" + allSlotsEmpty + R"(}, {"posx": )" + far + ", " +
                           allSlotsEmpty + "}]}");
        EXPECT_FALSE(level.ok) << far;
        EXPECT_EQ(level.error, "FAILED: level element 1, key \"posx\": the number " + std::string(far) +
                                   " lies beyond the course's range of -1000000 to 1000000.");
    }

    const std::string piece = "{" + allSlotsEmpty + "}";
    std::string elements = piece;
    for (unsigned i = 1; i < maxLevelElements; ++i)
        elements += "," + piece;
    EXPECT_EQ(parseOk(R"({"elements": [)" + elements + "]}").elements.size(), size_t(maxLevelElements));
    level = parseLevel(R"({"elements": [)" + elements + "," + piece + "]}");
    EXPECT_EQ(level.error, "FAILED: level file, key \"elements\": 1001 elements, more than the 1000 a course may have.");

    std::string padded = R"({"elements": [)" + piece + "]}";
    padded.resize(size_t(maxLevelFileBytes), ' ');
    EXPECT_TRUE(parseOk(padded).ok);
    level = parseLevel(padded + " ");
    EXPECT_EQ(level.error, "FAILED: level file: larger than 1048576 bytes, the most a course file may have.");
}

// A file of many broken elements lists the first ten mistakes of each kind and counts the
// rest, rather than a line for every one.
TEST(LevelFile, ManyMistakesListTenOfEachKindAndCountTheRest)
{
    std::string elements = "[]";
    for (int i = 1; i < 1000; ++i)
        elements += i % 2 ? R"(,{"posx": "far", "obstacles": 7})" : ",[]";
    const LevelDescription level = parseLevel(R"({"elements": [)" + elements + "]}");
    EXPECT_FALSE(level.ok);
    EXPECT_EQ(level.problems.size(), 30u);
    EXPECT_EQ(level.problems.front(), "FAILED: level element 0: an object is expected, found an array.");
    ASSERT_EQ(level.moreProblems.size(), 3u);
    EXPECT_EQ(level.moreProblems[0].line, "... and 490 more elements that are not objects.");
    EXPECT_EQ(level.moreProblems[1].line, "... and 490 more values that are not numbers.");
    EXPECT_EQ(level.moreProblems[2].line, "... and 490 more missing or broken slots.");
}

// The reader takes no more of a file than the limit and one byte, so a huge file, or one
// that never ends, costs no more memory than a file at the limit.
TEST(LevelFile, ReadingStopsOneByteAfterTheLimit)
{
    std::string text;
    ASSERT_TRUE(readLevelFile("/dev/zero", text));
    EXPECT_EQ(text.size(), size_t(maxLevelFileBytes) + 1);
    EXPECT_EQ(parseLevel(text).error.rfind("FAILED: level file: larger than", 0), 0u);
    EXPECT_FALSE(readLevelFile("/nonexistent/level.json", text));
    // A folder opens, but reads as nothing: it must not pass for an empty course.
    EXPECT_FALSE(readLevelFile("/tmp", text));
}
