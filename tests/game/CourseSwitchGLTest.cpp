// N at the end screen: the course is taken down and the next one built in the running game.
#include "course/CourseChoice.h"
#include "course/CourseGenerator.h"
#include "game/Game.h"
#include "game/LevelLoader.h"
#include "model/WallPiece.h"
#include "platform/GL.h"
#include "platform/Globals.h"
#include "scene/CollectedIngredients.h"
#include "scene/GameState.h"
#include "scene/Hero.h"
#include "scene/Ingredient.h"
#include "scene/LevelFile.h"
#include "scene/Obstacle.h"
#include "support/CaptureStdout.h"
#include "support/GLContext.h"
#include "tooling/GameRunner.h"

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>
#include <set>

using namespace vantor::scene;

namespace {

constexpr double step = 1.0 / 60.0;

// The game on a generated course, for the suite; every test leaves it running.
class CourseSwitch : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        previousCourse = courseName;
        courseName = "random:1000:easy";
        if (startWindowLibrary(startFailure))
            runner = new GameRunner(160, 120);
    }
    static void TearDownTestSuite()
    {
        delete runner;
        runner = nullptr;
        courseName = previousCourse;
    }
    void SetUp() override { ASSERT_NE(runner, nullptr) << startFailure; }

    // One frame with N down (or up).
    static void frameWithN(bool down, bool draw = false)
    {
        runner->keys.releaseAll();
        if (down)
            runner->keys.press(GLFW_KEY_N);
        runner->frame(step, draw);
    }

    // The attempt ended as `won` says, shown for a frame with N up.
    static void endAttempt(bool won)
    {
        game->state->goalReached = won;
        game->state->heroFell = !won;
        frameWithN(false);
    }

    static GameRunner* runner;
    static std::string startFailure;
    static std::string previousCourse;
};
GameRunner* CourseSwitch::runner = nullptr;
std::string CourseSwitch::startFailure;
std::string CourseSwitch::previousCourse;

// What the level file of a generated course holds.
struct Counts {
    size_t pieces = 0, obstacles = 0, fruit = 0;
};
Counts countsOf(const CourseChoice& choice)
{
    Counts counts;
    for (const LevelElement& element : parseLevel(generateCourse(choice.seed, choice.difficulty)).elements) {
        counts.pieces += isSupportedWallType(element.typ) ? 1 : 0;
        for (int code : element.items) {
            counts.obstacles += itemKindFor(code) == ItemKind::Obstacle ? 1 : 0;
            counts.fruit += itemKindFor(code) == ItemKind::Ingredient ? 1 : 0;
        }
    }
    return counts;
}

} // namespace

// Fifty switches, won and lost by turns: each builds the course N names next, with as many
// objects as its level file holds, and leaves in the physics world the ground, the hero and
// the new course's bodies alone, in no contact with anything of the old one.
TEST_F(CourseSwitch, FiftySwitchesLeaveOnlyTheNewCourseInTheWorld)
{
    for (int k = 0; k < 50; ++k) {
        SCOPED_TRACE("switch " + std::to_string(k + 1));
        const bool won = k % 3 == 0;
        const CourseChoice expected = nextCourse(game->course, won, game->coursePack, 0u);
        // A fruit of the old course still floating away when N comes.
        if (!game->ingredients.empty())
            collectedIngredients.push_back(game->ingredients.front());
        endAttempt(won);
        std::string log;
        {
            CaptureStdout capture;
            frameWithN(true, k % 10 == 9);
            log = capture.text();
        }
        frameWithN(false);
        ASSERT_EQ(courseLabel(game->course), courseLabel(expected)) << log;
        EXPECT_NE(log.find("\n>>> Load Levelfile\nOK: JSON-File made by the course generator\n\n"
                           ">>> Create wall by instancing\nCourse: " + courseLabel(expected) + ", "),
                  std::string::npos)
            << log;
        EXPECT_EQ(log.find("Load Prototype-Models"), std::string::npos) << log;

        const Counts counts = countsOf(game->course);
        EXPECT_EQ(game->wallPieces.size(), counts.pieces);
        EXPECT_EQ(game->obstacles.size(), counts.obstacles);
        EXPECT_EQ(game->ingredients.size(), counts.fruit);
        EXPECT_TRUE(collectedIngredients.empty());
        EXPECT_FALSE(game->state->heroFell || game->state->goalReached);
        EXPECT_EQ(game->state->score, 0);

        std::set<const void*> current = {game->groundBody, game->hero->rigidBody};
        for (WallPiece* wall : game->wallPieces)
            current.insert(wall->rigidBody);
        for (Obstacle* obstacle : game->obstacles)
            current.insert(obstacle->rigidBody);
        for (Ingredient* ingredient : game->ingredients)
            current.insert(ingredient->rigidBody);
        btDiscreteDynamicsWorld* world = game->dynamicsWorld;
        ASSERT_EQ(size_t(world->getNumCollisionObjects()), current.size());
        for (int i = 0; i < world->getNumCollisionObjects(); ++i)
            EXPECT_EQ(current.count(world->getCollisionObjectArray()[i]), 1u);
        btDispatcher* dispatcher = world->getDispatcher();
        for (int i = 0; i < dispatcher->getNumManifolds(); ++i) {
            const btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(i);
            EXPECT_EQ(current.count(manifold->getBody0()), 1u);
            EXPECT_EQ(current.count(manifold->getBody1()), 1u);
        }
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
}

// N acts on a press made while the end screen shows: not while the attempt runs, not when
// it was held down from before the end, and R keeps its meaning.
TEST_F(CourseSwitch, OnlyAPressAtTheEndScreenSwitches)
{
    const std::string before = courseLabel(game->course);
    frameWithN(true); // while the attempt runs
    frameWithN(false);
    EXPECT_EQ(courseLabel(game->course), before);

    frameWithN(true);
    game->state->heroFell = true; // falls while N is held
    frameWithN(true);
    frameWithN(true);
    EXPECT_EQ(courseLabel(game->course), before);
    EXPECT_TRUE(game->state->heroFell);

    runner->replay(step);
    EXPECT_FALSE(game->state->heroFell);
    EXPECT_EQ(courseLabel(game->course), before);

    endAttempt(false);
    frameWithN(true);
    EXPECT_NE(courseLabel(game->course), before);
    frameWithN(false);
}
