#include "app/Frame.h"
#include "game/Game.h"
#include "platform/GL.h"
#include "platform/Globals.h"
#include "platform/Window.h"
#include "scene/GameState.h"
#include "scene/Hero.h"
#include "support/GLContext.h"
#include "support/XWindow.h"
#include "tooling/GameRunner.h"

#include <btBulletDynamicsCommon.h>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

// The player's game loop, turn by turn, on the real game with scripted keys and clock. The
// test display has no window manager: the tests mark the window minimised as one would.
namespace {
constexpr double step = 1.0 / 60.0;

btVector3 ballVelocity()
{
    return game->hero->rigidBody->getLinearVelocity();
}

// Until the window library has seen the window manager's mark; false if it never does.
bool waitForMinimised(bool minimised)
{
    for (int i = 0; i < 200 && gameWindow->minimised != minimised; ++i) {
        glfwPollEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return gameWindow->minimised == minimised;
}

class FrameLoop : public testing::Test {
protected:
    void SetUp() override
    {
        std::string failure;
        ASSERT_TRUE(startWindowLibrary(failure)) << failure;
        runner = new GameRunner(320, 240);
        for (int i = 0; i < 600 && !game->hero->onWall; ++i)
            runner->frame(step, false);
        ASSERT_TRUE(game->hero->onWall);
        for (int i = 0; i < 30; ++i)
            runner->frame(step, false);
        window = xWindowOf(gameWindow->handle);
    }
    void TearDown() override { delete runner; }

    GameRunner* runner = nullptr;
    unsigned long window = 0; // the game window's X id
};
} // namespace

// Minimised while the ball rolls under W: the loop plays no frame and sleeps in the event
// wait until the window is back; the attempt's clock leaves the wait out, and the first
// frame after it steps as far as an ordinary one, so the push is an ordinary push.
TEST_F(FrameLoop, AMinimisedWindowWaitsAndItsTimeCountsNowhere)
{
    runner->keys.press(GLFW_KEY_W);
    double previousFrame = runner->clock.now();
    auto neverWaits = [] { ADD_FAILURE() << "waited for a window that is not minimised"; };
    runner->clock.advance(step);
    btVector3 before = ballVelocity();
    ASSERT_TRUE(playLoopTurn(previousFrame, runner->clock, neverWaits));
    const float ordinaryPush = (ballVelocity() - before).length();

    ASSERT_TRUE(setMinimisedState(window, true));
    ASSERT_TRUE(waitForMinimised(true));
    const double startTime = game->state->startTime;
    const btVector3 ballAt = game->hero->rigidBody->getCenterOfMassPosition();
    int waits = 0;
    // Each wait is ten seconds of the scripted clock; the window comes back after the third.
    auto wait = [&] {
        runner->clock.advance(10.0);
        EXPECT_EQ(game->hero->rigidBody->getCenterOfMassPosition(), ballAt) << "a frame was played";
        if (++waits == 3)
            setMinimisedState(window, false);
        glfwWaitEventsTimeout(0.05);
    };
    runner->clock.advance(step);
    before = ballVelocity();
    ASSERT_TRUE(playLoopTurn(previousFrame, runner->clock, wait));

    EXPECT_GE(waits, 3);
    EXPECT_FALSE(gameWindow->minimised);
    EXPECT_DOUBLE_EQ(game->state->startTime, startTime + 10.0 * waits);
    EXPECT_NEAR(previousFrame, runner->clock.now(), 1e-9);
    // One frame's push, not ten seconds' worth or more.
    EXPECT_LT((ballVelocity() - before).length(), ordinaryPush * 2.0f + 0.05f)
        << "an ordinary frame pushes by " << ordinaryPush;
}

// The window closed while minimised ends the wait and the loop; an attempt that had ended
// keeps the time it shows.
TEST_F(FrameLoop, ClosingAMinimisedWindowEndsTheLoopAndAnEndedAttemptKeepsItsTime)
{
    game->state->heroFell = true;
    game->state->endTime = runner->clock.now();
    runner->clock.advance(3.0);
    const double shown = game->state->endTime - game->state->startTime;

    ASSERT_TRUE(setMinimisedState(window, true));
    ASSERT_TRUE(waitForMinimised(true));
    int waits = 0;
    auto wait = [&] {
        runner->clock.advance(10.0);
        if (++waits == 2)
            glfwSetWindowShouldClose(gameWindow->handle, GLFW_TRUE);
    };
    double previousFrame = runner->clock.now();
    EXPECT_FALSE(playLoopTurn(previousFrame, runner->clock, wait));
    EXPECT_EQ(waits, 2);
    EXPECT_NEAR(game->state->endTime - game->state->startTime, shown, 1e-9);
}
