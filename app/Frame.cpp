#include "app/Frame.h"

#include "app/StopSignals.h"
#include "game/Game.h"
#include "platform/GL.h"
#include "platform/GLDiagnostics.h"
#include "platform/Globals.h"
#include "platform/Input.h"
#include "platform/PlayerControls.h"
#include "platform/RenderSettings.h"
#include "platform/Window.h"

#include <iostream>

namespace {
int framesSinceRateLine = 0; // frames played since the last frame-rate line
}

bool playFrame(double deltaTime, bool draw, bool frameRateLine)
{
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
    checkGLError("General GL Error Checking");
    return !controls.quit && !glfwWindowShouldClose(gameWindow->handle) && !stopRequested();
}
