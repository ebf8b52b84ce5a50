#include "app/CommandLine.h"
#include "platform/GLDiagnostics.h"
#include "platform/Globals.h"
#include "platform/RenderSettings.h"
#include "app/StartUp.h"
#include "platform/Window.h"
#include "game/Game.h"
#include "platform/GL.h"

#include <iostream>

int main(int argc, char** argv)
{
    WindowConfig config = parseCommandLine(argc, argv);
    windowWidth = config.width;
    windowHeight = config.height;
    windowed = config.windowed;
    std::cout << startLine(config) << std::endl;

    double previousFrameTime = 0.0; // seconds; the first step covers all of the loading
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
                  !glfwWindowShouldClose(gameWindow->handle);
        checkGLError("General GL Error Checking");
    }

    // The game releases GL objects, so it goes while the context still exists.
    delete game;
    game = nullptr;
    delete gameWindow;
    gameWindow = nullptr;
    return 0;
}
