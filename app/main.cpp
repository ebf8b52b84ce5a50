#include "app/CommandLine.h"
#include "app/GLDiagnostics.h"
#include "app/Globals.h"
#include "app/RenderSettings.h"
#include "app/StartUp.h"
#include "app/StopSignals.h"
#include "app/Window.h"
#include "game/Game.h"
#include "render/GL.h"

#include <iostream>

int main(int argc, char** argv)
{
    WindowConfig config = parseCommandLine(argc, argv);
    windowWidth = config.width;
    windowHeight = config.height;
    windowed = config.windowed;
    std::cout << startLine(config) << std::endl;

    double previousFrameTime = 0.0; // seconds; the first step covers all of the loading
    // Before the start-up, so a signal during the loading ends the game after its first frame.
    catchStopSignals();
    startUp();

    int frameCount = 0;
    bool running = true;
    while (running) {
        glfwPollEvents(); // the key callback runs in here
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ++frameCount;

        double now = glfwGetTime();
        double deltaTime = now - previousFrameTime; // seconds
        previousFrameTime = now;

        game->update(deltaTime);
        game->render();

        if (frameCount > 60 && showFrametime) {
            frameCount = 0;
            std::cout << "Frametime: " << 1.0 / deltaTime << std::endl;
        }

        glfwSwapBuffers(gameWindow->handle);
        // Sticky keys make a press between two polls count.
        running = glfwGetKey(gameWindow->handle, GLFW_KEY_ESCAPE) != GLFW_PRESS &&
                  !glfwWindowShouldClose(gameWindow->handle) && !stopRequested();
        checkGLError("General GL Error Checking");
    }

    // The game releases GL objects, so it goes while the context still exists.
    delete game;
    game = nullptr;
    delete gameWindow;
    gameWindow = nullptr;
    return 0;
}
