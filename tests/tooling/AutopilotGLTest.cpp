#include "course/CourseCheck.h"
#include "game/Game.h"
#include "game/LevelLoader.h"
#include "platform/Globals.h"
#include "scene/GameState.h"
#include "scene/Ingredient.h"
#include "support/CaptureStdout.h"
#include "support/CourseWriter.h"
#include "support/GLContext.h"
#include "support/ShippedWallTops.h"
#include "support/TempDir.h"
#include "tooling/Autopilot.h"
#include "tooling/GameRunner.h"

#include <gtest/gtest.h>
#include <memory>

// The autopilot plays whole attempts of the real game at 1/60 s a frame, without drawing.
namespace {

constexpr double step = 1.0 / 60.0;

struct Attempt {
    bool reachedGoal = false;
    bool fell = false;
    double seconds = 0.0; // simulated time of the attempt
    int score = 0;
    int fruitCollected = 0;
    int fruitTotal = 0;
    int jumps = 0;
    int obstacleContacts = 0; // frames in which the ball touched an obstacle
    std::string log; // the game's console during the attempt
};

std::string describe(const Attempt& a)
{
    return "goal " + std::to_string(a.reachedGoal) + ", fell " + std::to_string(a.fell) + ", " +
           std::to_string(a.seconds) + " s, score " + std::to_string(a.score) + ", fruit " +
           std::to_string(a.fruitCollected) + "/" + std::to_string(a.fruitTotal) + ", jumps " +
           std::to_string(a.jumps) + ", obstacle contact frames " + std::to_string(a.obstacleContacts);
}

// The game on one course (the shipped one unless a file is given) with the autopilot.
class Session {
public:
    explicit Session(const std::string& levelFile = "") : shipped(courseName)
    {
        if (!levelFile.empty())
            courseName = levelFile;
        if (!startWindowLibrary(failure))
            return;
        CaptureStdout quiet; // the start-up log is not what these tests look at
        runner = std::make_unique<GameRunner>(320, 240);
        autopilot = std::make_unique<Autopilot>(game);
    }
    ~Session()
    {
        autopilot.reset();
        runner.reset();
        courseName = shipped;
    }

    // Plays until the attempt ends or `limitSeconds` of it have passed.
    Attempt play(double limitSeconds)
    {
        CaptureStdout console;
        const GameState& state = *game->state;
        const int limit = int(limitSeconds / step);
        for (int frame = 0; frame < limit && !state.heroFell && !state.goalReached; ++frame) {
            autopilot->steer(runner->keys);
            runner->frame(step, false);
        }
        Attempt attempt;
        attempt.reachedGoal = state.goalReached;
        attempt.fell = state.heroFell;
        attempt.seconds = (state.endTime > 0.0 ? state.endTime : runner->clock.now()) - state.startTime;
        attempt.score = state.score;
        for (vantor::scene::Ingredient* item : game->ingredients)
            attempt.fruitCollected += item->collected ? 1 : 0;
        attempt.fruitTotal = int(game->ingredients.size());
        attempt.jumps = autopilot->jumps;
        attempt.log = console.text();
        const std::string contact = "Hero collides with Obstacle";
        for (size_t at = attempt.log.find(contact); at != std::string::npos; at = attempt.log.find(contact, at + 1))
            ++attempt.obstacleContacts;
        return attempt;
    }

    std::unique_ptr<GameRunner> runner;   // null when the window library did not start
    std::unique_ptr<Autopilot> autopilot;
    std::string failure;                  // why it did not

private:
    std::string shipped;
};

} // namespace

TEST(Autopilot, CompletesTheShippedCourseWithAllItsFruitThenPlaysAgainAfterR)
{
    Session session;
    ASSERT_TRUE(session.runner) << session.failure;
    const Attempt attempt = session.play(120.0);
    std::cout << "Shipped course: " << describe(attempt) << std::endl;
    EXPECT_TRUE(attempt.reachedGoal) << describe(attempt);
    EXPECT_NE(attempt.log.find("Hero reached goal."), std::string::npos);
    EXPECT_FALSE(attempt.fell);
    EXPECT_LT(attempt.seconds, 120.0);
    EXPECT_EQ(attempt.fruitTotal, 19);
    EXPECT_EQ(attempt.fruitCollected, attempt.fruitTotal) << describe(attempt);
    EXPECT_EQ(attempt.jumps, 0); // nothing on this course calls for a jump
    EXPECT_EQ(attempt.obstacleContacts, 0);

    // A replay key pressed for a single frame starts a fresh attempt from the drop point,
    // not one that is won again where the last one ended.
    session.runner->replay(step, false);
    const Attempt again = session.play(0.5);
    EXPECT_FALSE(again.reachedGoal) << describe(again);
    EXPECT_EQ(again.log.find("Hero reached goal."), std::string::npos);
    EXPECT_EQ(again.score, 0);
    EXPECT_LT(session.autopilot->progress, 6.0f);
}

TEST(Autopilot, FallsThroughAGapBetweenTwoPieces)
{
    TempDir folder;
    const std::string file = folder.write("gap.json", courseText({{'S', ""}, {'S', ""}, {'_', ""}, {'S', ""}, {'E', ""}}));
    Session session(file);
    ASSERT_TRUE(session.runner) << session.failure;
    const Attempt attempt = session.play(60.0);
    EXPECT_TRUE(attempt.fell) << describe(attempt);
    EXPECT_FALSE(attempt.reachedGoal);
    EXPECT_NE(attempt.log.find("Hero fell from wall."), std::string::npos);
}

// Curves of both hands in every "dir", straights in every "dir" (entered from either
// end), obstacles in each lane and fruit beside them: the checker accepts these courses and
// the autopilot completes them.
TEST(Autopilot, CompletesWrittenCoursesTheCheckerAccepts)
{
    const std::vector<std::vector<CourseStep>> courses = {
        {{'S', "..b|...|..."}, {'L', ".b."}, {'L', ""}, {'R', "...|a..|..."}, {'T', "R..|...|..b"},
         {'S', "...|.F.|a.."}, {'S', "..S|...|B.."}, {'T', "...|S..|.b."}, {'R', ""}, {'L', ".a."}, {'E', ""}},
        {{'S', "...|.b.|R.."}, {'L', ".b."}, {'L', ""}, {'S', "B..|..b|..R"}, {'L', ""}, {'R', "...|a..|..."},
         {'L', ""}, {'L', "b"}, {'R', ""}, {'L', ""}, {'E', ""}},
    };
    const vantor::scene::CourseModels models = shippedCourseModels();
    for (size_t c = 0; c < courses.size(); ++c) {
        SCOPED_TRACE("course " + std::to_string(c));
        const std::string text = courseText(courses[c]);
        const vantor::scene::CourseReport report = vantor::scene::checkCourse(text, models);
        EXPECT_EQ(report.errors(), 0) << vantor::scene::formatCourseReport(report);

        TempDir folder;
        Session session(folder.write("course.json", text));
        ASSERT_TRUE(session.runner) << session.failure;
        const Attempt attempt = session.play(120.0);
        std::cout << "Course " << c << ": " << describe(attempt) << std::endl;
        EXPECT_TRUE(attempt.reachedGoal) << describe(attempt);
        EXPECT_FALSE(attempt.fell) << describe(attempt);
        EXPECT_GT(attempt.fruitCollected, 0) << describe(attempt);
        EXPECT_EQ(attempt.obstacleContacts, 0) << describe(attempt);
    }
}

// Fruit in all nine slots of a left and a right curve, the back and outer ones 5 to 6.6
// units from the corner the curve turns around: the autopilot swings out for every one.
TEST(Autopilot, CollectsEveryFruitOfCurvesFullOfFruit)
{
    TempDir folder;
    const std::string text =
        courseText({{'S', ""}, {'S', ""}, {'L', "bbb|bbb|bbb"}, {'S', ""}, {'R', "aaa|aaa|aaa"}, {'S', ""}, {'E', ""}});
    EXPECT_EQ(vantor::scene::checkCourse(text, shippedCourseModels()).errors(), 0);
    Session session(folder.write("curves.json", text));
    ASSERT_TRUE(session.runner) << session.failure;
    const Attempt attempt = session.play(120.0);
    std::cout << "Curves full of fruit: " << describe(attempt) << std::endl;
    EXPECT_TRUE(attempt.reachedGoal) << describe(attempt);
    EXPECT_EQ(attempt.fruitTotal, 18);
    EXPECT_EQ(attempt.fruitCollected, 18) << describe(attempt);
}
