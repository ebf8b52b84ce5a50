#include "app/GameRunner.h"
#include "app/Globals.h"
#include "game/Autopilot.h"
#include "game/Game.h"
#include "game/GameState.h"
#include "scene/Hero.h"
#include "scene/Ingredient.h"
#include "scene/LevelLoader.h"
#include "support/CaptureStdout.h"
#include "support/CourseWriter.h"
#include "support/TempDir.h"

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
    std::string log; // the game's console during the attempt
};

// Runs one attempt of the course in `levelFile` ("" for the shipped course) for at most
// `limitSeconds` of simulated time.
Attempt play(const std::string& levelFile, double limitSeconds)
{
    const std::string shipped = levelFileName;
    if (!levelFile.empty())
        levelFileName = levelFile;
    Attempt attempt;
    {
        std::unique_ptr<GameRunner> runner;
        {
            CaptureStdout quiet; // the start-up log is not what these tests look at
            runner = std::make_unique<GameRunner>(320, 240);
        }
        CaptureStdout console;
        Autopilot autopilot(game);
        const int limit = int(limitSeconds / step);
        for (int frame = 0; frame < limit && !game->state->heroFell && !game->state->goalReached; ++frame) {
            autopilot.steer(runner->keys);
            runner->frame(step, false);
        }
        const GameState& state = *game->state;
        attempt.reachedGoal = state.goalReached;
        attempt.fell = state.heroFell;
        attempt.seconds = (state.endTime > 0.0 ? state.endTime : runner->clock.now()) - state.startTime;
        attempt.score = state.score;
        for (vantor::scene::Ingredient* item : game->ingredients)
            attempt.fruitCollected += item->collected ? 1 : 0;
        attempt.fruitTotal = int(game->ingredients.size());
        attempt.jumps = autopilot.jumps;
        attempt.log = console.text();
    }
    levelFileName = shipped;
    return attempt;
}

std::string describe(const Attempt& a)
{
    return "goal " + std::to_string(a.reachedGoal) + ", fell " + std::to_string(a.fell) + ", " +
           std::to_string(a.seconds) + " s, score " + std::to_string(a.score) + ", fruit " +
           std::to_string(a.fruitCollected) + "/" + std::to_string(a.fruitTotal) + ", jumps " +
           std::to_string(a.jumps);
}

} // namespace

TEST(Autopilot, CompletesTheShippedCourseWithMostOfItsFruit)
{
    const Attempt attempt = play("", 120.0);
    std::cout << "Shipped course: " << describe(attempt) << std::endl;
    EXPECT_TRUE(attempt.reachedGoal) << describe(attempt);
    EXPECT_NE(attempt.log.find("Hero reached goal."), std::string::npos);
    EXPECT_FALSE(attempt.fell);
    EXPECT_LT(attempt.seconds, 120.0);
    EXPECT_GE(2 * attempt.fruitCollected, attempt.fruitTotal) << describe(attempt);
    EXPECT_EQ(attempt.jumps, 0); // nothing on this course calls for a jump
}

TEST(Autopilot, FallsThroughAGapBetweenTwoPieces)
{
    TempDir folder;
    const std::string file = folder.write("gap.json", courseText({{'S', ""}, {'S', ""}, {'_', ""}, {'S', ""}, {'E', ""}}));
    const Attempt attempt = play(file, 60.0);
    EXPECT_TRUE(attempt.fell) << describe(attempt);
    EXPECT_FALSE(attempt.reachedGoal);
    EXPECT_NE(attempt.log.find("Hero fell from wall."), std::string::npos);
}
