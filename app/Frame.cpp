#include "app/Frame.h"

#include "game/Game.h"
#include "platform/GL.h"
#include "platform/GLDiagnostics.h"
#include "platform/Globals.h"
#include "platform/RenderSettings.h"
#include "platform/Window.h"

#include <iostream>

namespace {
int framesSinceRateLine = 0; // frames played since the last frame-rate line
}

void playFrame(double deltaTime, bool draw, bool frameRateLine)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    game->update(deltaTime);
    if (draw)
        game->render();

    if (frameRateLine && ++framesSinceRateLine > 60 && showFrametime) {
        framesSinceRateLine = 0;
        std::cout << "Frametime: " << 1.0 / deltaTime << std::endl;
    }

    glfwSwapBuffers(gameWindow->handle);
    checkGLError("General GL Error Checking");
}
