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
