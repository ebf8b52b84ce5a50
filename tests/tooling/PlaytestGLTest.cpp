#include "course/CourseCheck.h"
#include "course/CourseGenerator.h"
#include "support/CourseWriter.h"
#include "support/TempDir.h"
#include "tooling/CourseModelFiles.h"
#include "tooling/Playtest.h"

#include <filesystem>
#include <glm/geometric.hpp>
#include <glm/vec2.hpp>
#include <gtest/gtest.h>

// The playtest in this process: the real game at 1/60 s a frame, nothing drawn.
TEST(Playtest, PlaysAShortCourseToTheGoalRecordingTheBallsPathAndLeavesTheWorkingFolder)
{
    TempDir folder;
    const std::string course =
        folder.write("short.json", courseText({{'S', ""}, {'S', "...|.b.|..."}, {'L', ".a."}, {'S', ""}, {'E', ""}}));
    const std::filesystem::path before = std::filesystem::current_path();

    const PlaytestResult result = playtest(course, "../Models/");
    ASSERT_EQ(result.outcome, PlaytestOutcome::ReachedGoal) << formatPlaytest(result);
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_GT(result.seconds, 5.0);
    EXPECT_LT(result.seconds, result.limitSeconds);
    EXPECT_EQ(result.fruitTotal, 2);
    EXPECT_EQ(result.fruitCollected, 2) << formatPlaytest(result);
    EXPECT_EQ(result.score, 25);
    EXPECT_TRUE(result.missed.empty());

    // One sample every pathSampleFrames frames, from the drop point to the goal, which is
    // the end piece's origin: two cells on, a left turn toward -x, two cells on.
    ASSERT_FALSE(result.ballPath.empty());
    EXPECT_EQ(long(result.ballPath.size()), (result.frames + pathSampleFrames - 1) / pathSampleFrames);
    EXPECT_LT(glm::length(result.ballPath.front() - glm::vec3(0.0f, 4.0f, -1.0f)), 1.0f);
    const glm::vec3 last = result.ballPath.back();
    EXPECT_LT(glm::length(glm::vec2(last.x, last.z) - glm::vec2(-12.0f, -12.0f)), 4.0f)
        << last.x << ", " << last.y << ", " << last.z;
}

TEST(Playtest, NamesTheElementTheBallFellAtAndTheFruitItDidNotCollect)
{
    TempDir folder;
    // Elements 0 and 1, then a gap: the ball leaves element 1 and never collects the fruit
    // of element 2 beyond it.
    const std::string course = folder.write(
        "gap.json", courseText({{'S', ""}, {'S', "...|.b.|..."}, {'_', ""}, {'S', "a..|...|..b"}, {'E', ""}}));
    const PlaytestResult result = playtest(course, "../Models/");
    ASSERT_EQ(result.outcome, PlaytestOutcome::Fell) << formatPlaytest(result);
    EXPECT_EQ(result.lastElement, 1);
    EXPECT_EQ(result.fruitCollected, 1);
    const std::string text = formatPlaytest(result);
    EXPECT_EQ(text.rfind("Playtest: fell at element 1 after ", 0), 0u) << text;
    EXPECT_NE(text.find(" s, score 10, fruit 1 of 3\n"
                        "  not collected: element 2, slot lv, apple\n"
                        "  not collected: element 2, slot rh, banana\n"),
              std::string::npos)
        << text;
}

TEST(Playtest, SaysWhyACourseCouldNotBePlayed)
{
    TempDir folder;
    const PlaytestResult missing = playtest(folder.path("none.json"), "../Models/");
    EXPECT_EQ(missing.outcome, PlaytestOutcome::NotStarted);
    EXPECT_EQ(formatPlaytest(missing), "Playtest: not played: " + folder.path("none.json") + " could not be read.\n");

    const PlaytestResult noData = playtest(folder.write("c.json", courseText({{'S', ""}, {'E', ""}})), folder.root);
    EXPECT_EQ(noData.outcome, PlaytestOutcome::NotStarted);
    EXPECT_NE(noData.failure.find("Models/ beside Shader/"), std::string::npos) << noData.failure;
}

// A generated course the game's own checks refuse is not played: the game builds the next
// seed instead, and a verdict on that course would pass for one on the course asked for.
// The checks are made to refuse with the game's data copied, its straight piece swapped for
// its curve, so the ball's drop point and the straights' slots lie off the walkable tops.
TEST(Playtest, ACourseTheGameRefusesAndReplacesIsNotPlayed)
{
    namespace fs = std::filesystem;
    TempDir data;
    for (const char* folder : {"Models", "Shader"})
        fs::copy(fs::path(LANTERN_SOURCE_DIR) / folder, data.path(folder), fs::copy_options::recursive);
    fs::copy_file(data.path("Models/curvewall.dae"), data.path("Models/straightwall.dae"),
                  fs::copy_options::overwrite_existing);
    vantor::scene::CourseModels swapped;
    std::string error;
    ASSERT_TRUE(vantor::scene::loadCourseModels(data.path("Models/"), swapped, error)) << error;
    ASSERT_GT(vantor::scene::checkCourse(vantor::scene::generateCourse(5u, vantor::scene::Difficulty::Easy), swapped)
                  .errors(),
              0);

    const PlaytestResult result = playtest("random:5:easy", data.path("Models/"));
    EXPECT_EQ(result.outcome, PlaytestOutcome::NotStarted);
    EXPECT_EQ(result.frames, 0);
    EXPECT_EQ(formatPlaytest(result).rfind("Playtest: not played: the game refused random:5:easy and built ", 0), 0u)
        << formatPlaytest(result);
}
