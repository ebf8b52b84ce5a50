#include "support/CourseWriter.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

// The checker with --play: the autopilot plays the course in the real game, and the exit
// code says whether it reached the goal.
namespace {

// Unsets DISPLAY for its lifetime: the programs started meanwhile find no display.
class NoDisplay {
public:
    NoDisplay() : saved(std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "") { unsetenv("DISPLAY"); }
    ~NoDisplay()
    {
        if (!saved.empty())
            setenv("DISPLAY", saved.c_str(), 1);
    }

private:
    std::string saved;
};

} // namespace

TEST(CheckLevelPlay, AShortCourseIsPlayedToTheGoalWithTheGamesLogKeptOut)
{
    TempDir folder;
    const std::string course =
        folder.write("short.json", courseText({{'S', ""}, {'S', "...|.b.|..."}, {'R', ".a."}, {'S', ""}, {'E', ""}}));
    GameProcess check({"--play", course}, LANTERN_CHECK_LEVEL_BINARY);
    ASSERT_EQ(check.waitForExit(120), 0) << check.output();
    const std::string output = check.output();
    EXPECT_NE(output.find("OK: the course has no errors."), std::string::npos) << output;
    EXPECT_NE(output.find("\nPlaytest: reached the goal in "), std::string::npos) << output;
    EXPECT_NE(output.find(", score 25, fruit 2 of 2\n"), std::string::npos) << output;
    EXPECT_EQ(output.find("Init complete"), std::string::npos) << output;
}

// Without a display the checker starts itself inside a private X server; the playtest of
// a course with a gap says where the ball fell.
TEST(CheckLevelPlay, ACourseTheBallFallsFromFailsEvenWithoutADisplay)
{
    TempDir folder;
    const std::string course = folder.write("gap.json", courseText({{'S', ""}, {'S', ""}, {'_', ""}, {'S', ""}, {'E', ""}}));
    NoDisplay noDisplay;
    GameProcess check({course, "--play"}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(check.waitForExit(120), 1) << check.output();
    EXPECT_NE(check.output().find("Playtest: fell at element 1 after "), std::string::npos) << check.output();
}

// The generator's proof: seeds of each difficulty, counted on from the last seed round to
// 0, each checked and played, one line a course, then the table.
TEST(CheckLevelPlay, TheProofPlaysSeedsOfEachDifficultyAndSumsThemUp)
{
    GameProcess check({"--proof", "2", "--first", "4294967295"}, LANTERN_CHECK_LEVEL_BINARY);
    ASSERT_EQ(check.waitForExit(300), 0) << check.output();
    const std::string output = check.output();
    for (const char* course : {"random:4294967295:easy: reached the goal in ", "random:0:easy: reached the goal in ",
                               "random:4294967295:medium: ", "random:0:hard: "})
        EXPECT_NE(output.find(course), std::string::npos) << course << "\n" << output;
    for (const char* row : {"\neasy           2       2 (100.0 %)", "\nmedium         2 ", "\nhard           2 "})
        EXPECT_NE(output.find(row), std::string::npos) << row << "\n" << output;
    EXPECT_NE(output.find("All 6 courses in "), std::string::npos) << output;
    EXPECT_EQ(output.find("Init complete"), std::string::npos) << output;

    GameProcess wrong({"--proof", "2", "--play"}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(wrong.waitForExit(30), 2) << wrong.output();
    EXPECT_NE(wrong.output().find("--proof COUNT [--first SEED]"), std::string::npos) << wrong.output();
    // --first takes a seed and nothing else: a difficulty after it is not dropped quietly.
    for (const char* seed : {"4294967296", "5:hard", "5:", "-1", ""}) {
        GameProcess badSeed({"--proof", "2", "--first", seed}, LANTERN_CHECK_LEVEL_BINARY);
        EXPECT_EQ(badSeed.waitForExit(30), 2) << badSeed.output();
        EXPECT_EQ(badSeed.output(), "--first takes a seed, a whole number from 0 to 4294967295 (at most 10 digits), "
                                    "not \"" + std::string(seed) + "\".\n");
    }
}

// Every course of the pack is accepted by the checker and finished by the autopilot with
// every fruit caught, the gauntlet's pairs side by side in one row included.
class CoursePack : public testing::TestWithParam<const char*> {};

TEST_P(CoursePack, PassesTheCheckerAndThePlaytest)
{
    GameProcess check({"--play", std::string("../Models/courses/") + GetParam()}, LANTERN_CHECK_LEVEL_BINARY);
    ASSERT_EQ(check.waitForExit(600), 0) << check.output();
    const std::string output = check.output();
    EXPECT_NE(output.find("OK: the course has no errors."), std::string::npos) << output;
    EXPECT_NE(output.find("Playtest: reached the goal in "), std::string::npos) << output;
    EXPECT_EQ(output.find("not collected: "), std::string::npos) << output;
    std::cout << output.substr(output.find("Playtest: ")) << std::flush;
}

INSTANTIATE_TEST_SUITE_P(Courses, CoursePack, testing::Values("1-meadow.json", "2-s-bends.json", "3-gauntlet.json"));
