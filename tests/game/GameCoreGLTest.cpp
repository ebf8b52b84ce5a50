#include "game/Game.h"
#include "game/LevelLoader.h"
#include "platform/Globals.h"
#include "platform/RenderSettings.h"
#include "scene/Camera.h"
#include "scene/CollectedIngredients.h"
#include "scene/GameState.h"
#include "scene/Hero.h"
#include "scene/Ingredient.h"
#include "scene/Obstacle.h"
#include "support/CaptureStdout.h"
#include "support/GLContext.h"
#include "tooling/GameRunner.h"

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>
#include <map>
#include <memory>

// The shipped course, run through the real update at 1/60 s a frame with scripted keys.
// One game serves the whole suite; every test starts from a replay.
namespace {
constexpr double step = 1.0 / 60.0;

class GameCore : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (startWindowLibrary(startFailure))
            runner = new GameRunner(320, 240);
    }
    static void TearDownTestSuite()
    {
        delete runner;
        runner = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(runner, nullptr) << startFailure;
        runner->keys.padConnected = false;
        runner->replay(step, false);
        collectedIngredients.clear();
        freeCamera = false;
    }

    static void run(int frames, bool draw = false)
    {
        for (int i = 0; i < frames; ++i)
            runner->frame(step, draw);
    }

    // Frames until the ball rests on the first wall piece (and so may be steered).
    static void landOnTheWall()
    {
        for (int i = 0; i < 600 && !game->hero->onWall; ++i)
            run(1);
        ASSERT_TRUE(game->hero->onWall);
        run(60); // let the bounces settle
    }

    static btVector3 velocity() { return game->hero->rigidBody->getLinearVelocity(); }

    static GameRunner* runner;
    static std::string startFailure; // why the runner could not start
};
GameRunner* GameCore::runner = nullptr;
std::string GameCore::startFailure;
} // namespace

TEST_F(GameCore, ReplayPutsTheBallBackAtTheDropPointAtRest)
{
    run(30);
    runner->keys.press(GLFW_KEY_R);
    run(1, false);
    runner->keys.releaseAll();
    btVector3 at = game->hero->rigidBody->getCenterOfMassPosition();
    // One physics step has run since the reset.
    EXPECT_NEAR(at.x(), 0.0, 1e-4);
    EXPECT_NEAR(at.y(), 4.0, 0.01);
    EXPECT_NEAR(at.z(), -1.0, 1e-4);
    EXPECT_EQ(game->state->score, 0);
    EXPECT_FALSE(game->state->heroFell);
    EXPECT_FALSE(game->state->goalReached);
    EXPECT_DOUBLE_EQ(game->state->endTime, 0.0);
}

TEST_F(GameCore, NoKeyActsBeforeTheFirstWallContactThenTheBallLands)
{
    runner->keys.press(GLFW_KEY_W);
    runner->keys.press(GLFW_KEY_SPACE);
    run(10);
    EXPECT_FALSE(game->hero->onWall);
    EXPECT_NEAR(velocity().x(), 0.0, 1e-6);
    EXPECT_NEAR(velocity().z(), 0.0, 1e-6);
    runner->keys.releaseAll();
    landOnTheWall();
    EXPECT_GT(game->state->heroPosition.y, 0.0f);
    EXPECT_LT(game->state->heroPosition.y, 1.0f);
}

TEST_F(GameCore, WPushesAwayFromTheCameraBySixthOfAUnitPerFrame)
{
    landOnTheWall();
    // The push alone: with the ball's friction off, the wall turns none of it into spin
    // (a ball at rest would keep only 5/7 of it, rolling away).
    btRigidBody* ball = game->hero->rigidBody;
    const btScalar friction = ball->getFriction(), rollingFriction = ball->getRollingFriction();
    ball->setFriction(0.0f);
    ball->setRollingFriction(0.0f);
    glm::vec3 view = game->state->viewDirection;
    btVector3 before = velocity();
    runner->keys.press(GLFW_KEY_W);
    run(1);
    btVector3 change = velocity() - before;
    // The impulse of one frame is 200/60 on a 20 kg ball.
    EXPECT_NEAR(change.x(), -view.x / 6.0f, 0.02);
    EXPECT_NEAR(change.z(), -view.z / 6.0f, 0.02);

    runner->keys.press(GLFW_KEY_S); // W and S together cancel
    btVector3 held = velocity();
    run(1);
    btVector3 cancelled = velocity() - held;
    EXPECT_NEAR(cancelled.x(), 0.0, 0.02);
    EXPECT_NEAR(cancelled.z(), 0.0, 0.02);
    ball->setFriction(friction);
    ball->setRollingFriction(rollingFriction);
}

// The pad steers through the same update as the keys: the stick's push scales with its
// deflection, A jumps, and a pad pulled out mid-push pushes no more.
TEST_F(GameCore, PadStickPushesByItsDeflectionAJumpsAndAPulledOutPadStops)
{
    landOnTheWall();
    btRigidBody* ball = game->hero->rigidBody;
    const btScalar friction = ball->getFriction(), rollingFriction = ball->getRollingFriction();
    ball->setFriction(0.0f);
    ball->setRollingFriction(0.0f);
    const glm::vec3 view = game->state->viewDirection;
    ScriptedInput& pad = runner->keys;
    pad.padConnected = true;
    const auto changeOverOneFrame = [&]() {
        const btVector3 before = velocity();
        run(1);
        return velocity() - before;
    };

    pad.pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -1.0f; // full forward: as W, a sixth a frame
    btVector3 change = changeOverOneFrame();
    EXPECT_NEAR(change.x(), -view.x / 6.0f, 0.02);
    EXPECT_NEAR(change.z(), -view.z / 6.0f, 0.02);
    pad.pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -0.575f; // half way past the dead zone
    change = changeOverOneFrame();
    EXPECT_NEAR(change.x(), -view.x / 12.0f, 0.02);
    EXPECT_NEAR(change.z(), -view.z / 12.0f, 0.02);
    pad.pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -1.0f;
    pad.padConnected = false;
    change = changeOverOneFrame();
    EXPECT_NEAR(change.x(), 0.0, 0.02);
    EXPECT_NEAR(change.z(), 0.0, 0.02);
    ball->setFriction(friction);
    ball->setRollingFriction(rollingFriction);

    pad.padConnected = true;
    pad.releaseAll();
    landOnTheWall();
    pad.pad.buttons[GLFW_GAMEPAD_BUTTON_A] = GLFW_PRESS;
    run(1);
    EXPECT_GT(velocity().y(), 2.5);
}

namespace {
// Keys and a pad that count how often the game asks for them.
struct CountingInput : ScriptedInput {
    bool isKeyDown(GLFWwindow* window, int key) override
    {
        ++keyReads[key];
        return ScriptedInput::isKeyDown(window, key);
    }
    bool getGamepad(GLFWgamepadstate& state) override
    {
        ++padReads;
        return ScriptedInput::getGamepad(state);
    }
    std::map<int, int> keyReads; // by GLFW key code
    int padReads = 0;
};
} // namespace

// The hero, the free camera, the replay and the quit test all read one reading of a frame:
// a second one could find the pad moved or a sticky key's press already taken.
TEST_F(GameCore, AFrameAsksForThePadAndEachKeyOnceWhoeverReadsThem)
{
    CountingInput player;
    player.cursorX = 160.0; // the window centre: the mouse stays still
    player.cursorY = 120.0;
    player.padConnected = true;
    ScopedInput installed(&player);
    const auto expectOneReadingAFrame = [&](int frames, const char* doing) {
        player.padReads = 0;
        player.keyReads.clear();
        for (int i = 0; i < frames; ++i)
            EXPECT_TRUE(runner->frame(step, false)) << doing;
        EXPECT_EQ(player.padReads, frames) << doing;
        EXPECT_FALSE(player.keyReads.empty()) << doing;
        for (const auto& [key, reads] : player.keyReads)
            EXPECT_EQ(reads, frames) << doing << ", key " << key;
    };

    landOnTheWall();
    player.press(GLFW_KEY_W);
    player.pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -1.0f;
    player.pad.buttons[GLFW_GAMEPAD_BUTTON_A] = GLFW_PRESS;
    expectOneReadingAFrame(3, "steering the ball");
    freeCamera = true;
    player.pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_X] = 1.0f;
    expectOneReadingAFrame(3, "flying the free camera");
    freeCamera = false;
    player.releaseAll();
    player.pad.buttons[GLFW_GAMEPAD_BUTTON_START] = GLFW_PRESS;
    expectOneReadingAFrame(2, "replaying");

    // Back ends the loop, judged on the frame's one reading.
    player.releaseAll();
    player.pad.buttons[GLFW_GAMEPAD_BUTTON_BACK] = GLFW_PRESS;
    player.padReads = 0;
    EXPECT_FALSE(runner->frame(step, false));
    EXPECT_EQ(player.padReads, 1);
}

TEST_F(GameCore, SpaceJumpsOnceUntilTheNextWallContact)
{
    landOnTheWall();
    runner->keys.press(GLFW_KEY_SPACE);
    run(1);
    EXPECT_GT(velocity().y(), 2.5);
    // NOTE: from a ball at rest the wall's contact outlives the first frame's step, which
    // counts as touching the wall again: a held Space may push once more before the ball
    // is off. Once it is in the air, it is not pushed again.
    for (int i = 0; i < 5 && game->hero->onWall; ++i)
        run(1);
    ASSERT_FALSE(game->hero->onWall);
    float rising = velocity().y();
    run(1);
    EXPECT_LT(velocity().y(), rising); // held Space gives no second push in the air
}

TEST_F(GameCore, RollingOffTheSideLosesAndFreezesTheTime)
{
    landOnTheWall();
    runner->keys.press(GLFW_KEY_A);
    CaptureStdout out;
    for (int i = 0; i < 60 * 10 && !game->state->heroFell; ++i)
        run(1);
    ASSERT_TRUE(game->state->heroFell) << out.text();
    EXPECT_NE(out.text().find("Hero fell from wall.\n"), std::string::npos);
    double endTime = game->state->endTime;
    EXPECT_GT(endTime, game->state->startTime);
    run(30);
    EXPECT_DOUBLE_EQ(game->state->endTime, endTime);
    EXPECT_EQ(out.text().find("Hero fell from wall.\n"), out.text().rfind("Hero fell from wall.\n"));
}

TEST_F(GameCore, ReplayRestoresFruitScoreFlagsAndSettings)
{
    vantor::scene::Ingredient* fruit = game->ingredients.front();
    fruit->collected = true;
    fruit->scale = -0.5f;
    fruit->alpha = 0.1f;
    fruit->modelMatrix = glm::mat4(2.0f);
    game->state->score = 25;
    game->state->heroFell = true;
    transparencyEnabled = false;
    showFrametime = false;
    viewFrustumCulling = false;
    wireframe = false;

    runner->keys.press(GLFW_KEY_R);
    run(1);
    EXPECT_FALSE(fruit->collected);
    EXPECT_EQ(fruit->modelMatrix, fruit->initialModelMatrix);
    EXPECT_FLOAT_EQ(fruit->scale, 1.0f);
    EXPECT_FLOAT_EQ(fruit->alpha, 1.0f);
    EXPECT_FLOAT_EQ(fruit->rise, 0.0f);
    EXPECT_FLOAT_EQ(fruit->spinAngle, 0.0f);
    EXPECT_EQ(game->state->score, 0);
    EXPECT_FALSE(game->state->heroFell);
    EXPECT_TRUE(transparencyEnabled);
    EXPECT_TRUE(showFrametime);
    EXPECT_TRUE(viewFrustumCulling);
}

TEST_F(GameCore, CollectedFruitFloatsForAboutTwoSecondsAndTheNextOneStillAnimates)
{
    vantor::scene::Ingredient* first = game->ingredients[0];
    vantor::scene::Ingredient* second = game->ingredients[1];
    first->collected = second->collected = true;
    first->scale = 0.004f; // leaves the list in this frame's step
    collectedIngredients = {first, second};
    run(1);
    ASSERT_EQ(collectedIngredients.size(), 1u);
    EXPECT_EQ(collectedIngredients.front(), second);
    EXPECT_NEAR(second->rise, 1.5 * step, 1e-6);

    int frames = 1;
    while (!collectedIngredients.empty() && frames < 600) {
        run(1);
        ++frames;
    }
    EXPECT_NEAR(frames * step, 2.0, 0.05);
}

TEST_F(GameCore, FreeCameraFlyingToTheGoalWins)
{
    freeCamera = true;
    game->camera->position = goalPosition + glm::vec3(0.0f, 0.0f, 4.9f);
    CaptureStdout out;
    run(1);
    EXPECT_TRUE(game->state->goalReached);
    EXPECT_NE(out.text().find("Hero reached goal.\n"), std::string::npos);
}

namespace {
void placeBall(const glm::vec3& at)
{
    btRigidBody* body = game->hero->rigidBody;
    body->setCenterOfMassTransform(btTransform(btQuaternion(0, 0, 0, 1), btVector3(at.x, at.y, at.z)));
    body->setLinearVelocity(btVector3(0, 0, 0));
    body->setAngularVelocity(btVector3(0, 0, 0));
}
} // namespace

TEST_F(GameCore, RollingThroughAFruitCollectsItOnceWithItsPoints)
{
    landOnTheWall();
    vantor::scene::Ingredient* banana = nullptr;
    for (vantor::scene::Ingredient* fruit : game->ingredients)
        if (fruit->type == 10 && banana == nullptr)
            banana = fruit;
    ASSERT_NE(banana, nullptr);

    CaptureStdout out;
    placeBall(banana->position + glm::vec3(0.0f, 0.5f, 0.0f));
    run(20);
    EXPECT_TRUE(banana->collected);
    EXPECT_EQ(game->state->score, 10);
    EXPECT_EQ(occurrences(out.text(), "Hero collected object: Banana + 10 Points (Total: 10)\n"), 1u) << out.text();
    ASSERT_FALSE(collectedIngredients.empty());
    EXPECT_EQ(collectedIngredients.front(), banana);
}

TEST_F(GameCore, EveryFrameAgainstAnObstacleWritesALine)
{
    landOnTheWall();
    vantor::scene::Obstacle* obstacle = game->obstacles.front();
    glm::vec3 at(obstacle->modelMatrix[3]);
    CaptureStdout out;
    // Sunk into the obstacle, the ball stays in contact for the next frames.
    placeBall(at + glm::vec3(0.0f, 0.3f, 0.0f));
    run(3);
    std::string line = "Hero collides with Obstacle of type: " + std::to_string(obstacle->type) + "\n";
    EXPECT_EQ(occurrences(out.text(), line), 3u) << out.text();
}
