#include "course/CourseGenerator.h"
#include "scene/LevelFile.h"
#include "support/CourseWriter.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

// LANTERN_TRAIL_COURSE names the course the game and the demo play, relative to the
// folder they are started in (the tests start them one level below the repository root).
namespace {

// Sets LANTERN_TRAIL_COURSE for its lifetime.
class CourseVariable {
public:
    explicit CourseVariable(const std::string& value) { setenv("LANTERN_TRAIL_COURSE", value.c_str(), 1); }
    ~CourseVariable() { unsetenv("LANTERN_TRAIL_COURSE"); }
};

} // namespace

TEST(CourseChoice, TheGameAndTheDemoPlayTheCourseTheVariableNamesByARelativePath)
{
    TempDir folder;
    // Nothing under the drop point: on this course the ball falls at once, on the shipped
    // one it lands.
    const std::string course = folder.write("drop.json", courseText({{'_', ""}, {'S', ""}, {'E', ""}}));
    const std::string relative =
        std::filesystem::relative(course, std::string(LANTERN_SOURCE_DIR) + "/tests").string();
    ASSERT_EQ(relative.rfind("../", 0), 0u) << relative;
    CourseVariable variable(relative);

    GameProcess game;
    EXPECT_TRUE(game.waitForOutput("Hero fell from wall.", 60)) << game.output();
    game.sendSignal(SIGTERM);
    EXPECT_EQ(game.waitForExit(30), 0) << game.output();

    GameProcess demo({"64", "64", folder.path("shots")}, LANTERN_DEMO_BINARY);
    EXPECT_EQ(demo.waitForExit(120), 1) << demo.output();
    EXPECT_NE(demo.output().find("Attempt 1: Hero fell from wall."), std::string::npos) << demo.output();
}

// A folder is no course file: the game refuses it as unreadable rather than playing an
// empty course.
TEST(CourseChoice, AFolderNamedAsTheCourseCannotBeRead)
{
    CourseVariable variable("../Models");
    GameProcess game;
    EXPECT_EQ(game.waitForExit(60), 255) << game.output();
    EXPECT_NE(game.output().find("FAILED: JSON-Levelfile could not be read from filesystem."), std::string::npos)
        << game.output();
    EXPECT_EQ(game.output().find("OK: JSON-File read from filesystem"), std::string::npos) << game.output();
}

namespace {

// How many times `text` holds `part`.
size_t occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The "Course: " line a generated course logs, with the pieces and fruit its file holds.
std::string generatedCourseLine(uint32_t seed, vantor::scene::Difficulty difficulty)
{
    size_t pieces = 0, fruit = 0;
    for (const auto& element : vantor::scene::parseLevel(vantor::scene::generateCourse(seed, difficulty)).elements) {
        pieces += vantor::scene::isSupportedWallType(element.typ) ? 1 : 0;
        for (int code : element.items)
            fruit += vantor::scene::itemKindFor(code) == vantor::scene::ItemKind::Ingredient ? 1 : 0;
    }
    return "Course: " + vantor::scene::generatedCourseName(seed, difficulty) + ", " + std::to_string(pieces) +
           " pieces, " + std::to_string(fruit) + " fruit\n";
}

} // namespace

// A generated course by name: built in the game, named with its pieces and fruit, played.
TEST(CourseChoice, AGeneratedCourseIsNamedInTheLogAndPlayed)
{
    CourseVariable variable("random:4242:easy");
    GameProcess game;
    ASSERT_TRUE(game.waitForOutput("Init complete", 120)) << game.output();
    EXPECT_NE(game.output().find("OK: JSON-File made by the course generator\n"), std::string::npos) << game.output();
    EXPECT_NE(game.output().find(generatedCourseLine(4242u, vantor::scene::Difficulty::Easy)), std::string::npos)
        << game.output();
    EXPECT_TRUE(game.waitUntil(
        [&](const std::string&) {
            game.pressKey("w", 0.5);
            return ballMetTheCourse(game.output());
        },
        60))
        << game.output();
    game.sendSignal(SIGTERM);
    EXPECT_EQ(game.waitForExit(30), 0) << game.output();
}

// After a fall N builds the pack's first course in the running game: the level file's and
// the course's lines again, not the models', and the ball meets the new course.
TEST(CourseChoice, AfterAFallNBuildsTheNextCourseOfThePack)
{
    TempDir folder;
    CourseVariable variable(folder.write("drop.json", courseText({{'_', ""}, {'S', ""}, {'E', ""}})));
    GameProcess game;
    ASSERT_TRUE(game.waitForOutput("Hero fell from wall.", 120)) << game.output();
    const size_t fell = game.output().size();
    EXPECT_TRUE(game.waitUntil(
        [&](const std::string& output) {
            game.pressKey("n");
            return output.find("Course: 1-meadow, 12 pieces, 13 fruit\n", fell) != std::string::npos;
        },
        60))
        << game.output();
    const std::string switched = game.output().substr(fell);
    EXPECT_NE(switched.find("\n>>> Load Levelfile\nOK: JSON-File read from filesystem\n\n>>> Create wall by instancing\n"
                            "Course: 1-meadow, "),
              std::string::npos)
        << switched;
    EXPECT_EQ(switched.find("Load Prototype-Models"), std::string::npos) << switched;
    const size_t built = game.output().size();
    EXPECT_TRUE(game.waitUntil(
        [&](const std::string& output) {
            game.pressKey("w", 0.5);
            return ballMetTheCourse(output.substr(built));
        },
        60))
        << game.output();
    game.pressKey("Escape");
    EXPECT_EQ(game.waitForExit(30), 0) << game.output();
}

// N pressed while the attempt runs does nothing, then or once the end screen shows; a
// press at the end screen goes on.
TEST(CourseChoice, NPressedBeforeTheEndScreenDoesNothing)
{
    GameProcess game;
    ASSERT_TRUE(game.waitForOutput("Init complete", 120)) << game.output();
    game.pressKey("n");
    game.pressKey("n", 0.3);
    // Off the first piece to the left: the attempt is lost.
    EXPECT_TRUE(game.waitUntil(
        [&](const std::string& output) {
            game.pressKey("a", 0.5);
            return output.find("Hero fell from wall.") != std::string::npos;
        },
        60))
        << game.output();
    EXPECT_FALSE(game.waitUntil(
        [](const std::string& output) { return occurrences(output, "Course: ") > 1; }, 3.0))
        << game.output();
    EXPECT_TRUE(game.waitUntil(
        [&](const std::string& output) {
            game.pressKey("n");
            return output.find("Course: 1-meadow, ") != std::string::npos;
        },
        60))
        << game.output();
    game.sendSignal(SIGTERM);
    EXPECT_EQ(game.waitForExit(30), 0) << game.output();
}

// A name that begins with "random:" but is no generated course's: one line naming it and
// what is allowed, exit code 2, and no window was opened.
TEST(CourseChoice, BadGeneratedNamesEndTheGameAndTheDemoWithTheirLine)
{
    for (const char* name : {"random:abc", "random:-1", "random:4294967296", "random:1:insane", "random:"}) {
        SCOPED_TRACE(name);
        CourseVariable variable(name);
        for (const char* binary : {LANTERN_GAME_BINARY, LANTERN_DEMO_BINARY}) {
            GameProcess program({}, binary);
            EXPECT_EQ(program.waitForExit(30), 2) << program.output();
            const std::string output = program.output();
            EXPECT_EQ(output.rfind(std::string("Unknown course \"") + name + "\": ", 0), 0u) << output;
            EXPECT_NE(output.find("easy, medium or hard"), std::string::npos) << output;
            EXPECT_EQ(occurrences(output, "\n"), 1u) << output;
        }
    }
}

// On a generated course the demo plays the next course at every attempt, and names each.
TEST(CourseChoice, TheDemoPlaysANewGeneratedCourseEachAttempt)
{
    TempDir folder;
    CourseVariable variable("random:31:easy");
    GameProcess demo({"64", "64", folder.path("shots"), "2"}, LANTERN_DEMO_BINARY);
    ASSERT_NE(demo.waitForExit(300), -1000) << demo.output();
    const std::string output = demo.output();
    const size_t first = output.find("Attempt 1: ");
    const size_t second = output.find("Attempt 2: ");
    ASSERT_NE(first, std::string::npos) << output;
    ASSERT_NE(second, std::string::npos) << output;
    EXPECT_NE(output.find(" Course random:31:easy.\n", first), std::string::npos) << output;
    // Won, the next seed one difficulty up; lost, the same difficulty.
    const bool won = output.find("Attempt 1: Hero reached goal.") != std::string::npos;
    EXPECT_NE(output.find(std::string(" Course random:32:") + (won ? "medium" : "easy") + ".\n", second),
              std::string::npos)
        << output;
}
