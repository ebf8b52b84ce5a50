#include "app/KeyCallback.h"

#include "app/KeyControls.h"
#include "platform/GL.h"
#include "platform/RenderSettings.h"

#include <iostream>

void keyCallback(GLFWwindow*, int key, int, int action, int)
{
    std::string message = applySettingsKey(key, action);
    if (message.empty())
        return;
    // Wireframe takes effect at once, in this very frame's passes.
    if (key == GLFW_KEY_F3)
        glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
    std::cout << message << std::endl;
}
