#include "app/Frame.h"

#include "app/StopSignals.h"
#include "game/Game.h"
#include "platform/Clock.h"
#include "platform/GL.h"
#include "platform/GLDiagnostics.h"
#include "platform/Globals.h"
#include "platform/Input.h"
#include "platform/PlayerControls.h"
#include "platform/RenderSettings.h"
#include "platform/Window.h"
#include "scene/GameState.h"

#include <iostream>

namespace {
int framesSinceRateLine = 0; // frames played since the last frame-rate line
}

bool playFrame(double deltaTime, bool draw, bool frameRateLine)
{
    // The window's callbacks ran in the last poll: from this frame on the picture has the
    // framebuffer's size.
    game->resize(gameWindow->framebufferWidth, gameWindow->framebufferHeight);

    // Read once, and this one value handed to every reader of the frame: a sticky key's
    // press between two polls counts once, and the pad is asked of the device at each read.
    const PlayerControls controls = readPlayerControls(*input, gameWindow->handle);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    game->update(deltaTime, controls);
    if (draw)
        game->render();

    if (frameRateLine && ++framesSinceRateLine > 60 && showFrametime) {
        framesSinceRateLine = 0;
        std::cout << "Frametime: " << 1.0 / deltaTime << std::endl;
    }

    glfwSwapBuffers(gameWindow->handle);
    // The automatic render scale follows the wall clock: the game's time step may be a
    // script's fixed one, or include a load.
    if (draw)
        game->frameShown(glfwGetTime());
    else
        game->renderScale.restartTiming();
    checkGLError("General GL Error Checking");
    return !controls.quit && !glfwWindowShouldClose(gameWindow->handle) && !stopRequested();
}

void waitForWindowEvents()
{
    glfwWaitEventsTimeout(0.1);
}

double waitWhileMinimised(vantor::util::Window& window, GameState& state, Clock& clock,
                          const std::function<void()>& waitForEvents)
{
    if (!window.minimised)
        return 0.0;
    const double start = clock.now();
    while (window.minimised && !glfwWindowShouldClose(window.handle) && !stopRequested())
        waitForEvents();
    const double waited = clock.now() - start;
    state.startTime += waited;
    if (state.heroFell || state.goalReached)
        state.endTime += waited; // the time shown stays the attempt's own
    return waited;
}

bool playLoopTurn(double& previousFrameTime, Clock& clock, const std::function<void()>& waitForEvents)
{
    glfwPollEvents(); // the key and window callbacks run in here
    const double waited = waitWhileMinimised(*gameWindow, *game->state, clock, waitForEvents);
    previousFrameTime += waited;
    if (waited > 0.0)
        game->renderScale.restartTiming(); // the wait is not the renderer's

    const double now = clock.now();
    const double deltaTime = now - previousFrameTime; // seconds
    previousFrameTime = now;
    return playFrame(deltaTime, !gameWindow->minimised);
}
