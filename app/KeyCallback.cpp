#include "app/KeyCallback.h"

#include "app/KeyControls.h"
#include "game/Game.h"
#include "platform/GL.h"
#include "platform/Globals.h"
#include "platform/RenderSettings.h"
#include "platform/Window.h"

#include <iostream>

void keyCallback(GLFWwindow* handle, int key, int, int action, int mods)
{
    if (asksForFullScreenSwitch(key, action, mods)) {
        vantor::util::Window* window = vantor::util::Window::of(handle);
        if (window == nullptr)
            return;
        if (window->toggleFullScreen())
            std::cout << (window->fullScreen ? "Full screen on" : "Full screen off") << std::endl;
        else
            std::cout << "Full screen is not possible: the window library knows no monitor" << std::endl;
        return;
    }

    if (key == GLFW_KEY_F12 && action == GLFW_PRESS) {
        if (game != nullptr)
            game->switchRenderScaleMode();
        return;
    }

    std::string message = applySettingsKey(key, action);
    if (message.empty())
        return;
    // Wireframe takes effect at once, in this very frame's passes.
    if (key == GLFW_KEY_F3)
        glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
    std::cout << message << std::endl;
}
