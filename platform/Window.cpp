#include "platform/Window.h"

#include "platform/FatalExit.h"
#include "platform/Globals.h"
#include "platform/GL.h"

#include <IL/il.h>

namespace vantor::util {

int Window::instanceCount = 0;

Window::Window(std::string title) : handle(nullptr)
{
    if (instanceCount == 0) {
        ilInit();
        if (glfwInit() != GL_TRUE)
            fatalExit("Failed to init GLFW");
        glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GL_TRUE);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
        glfwWindowHint(GLFW_REFRESH_RATE, 60);
    }

    GLFWmonitor* monitor = windowed ? nullptr : glfwGetPrimaryMonitor();
    handle = glfwCreateWindow(windowWidth, windowHeight, title.c_str(), monitor, nullptr);
    if (handle == nullptr) {
        glfwTerminate();
        fatalExit("Failed to open window");
    }
    ++instanceCount;

    glfwSetInputMode(handle, GLFW_STICKY_KEYS, GL_TRUE);
    glfwSetInputMode(handle, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
    // The camera measures mouse movement against this centre.
    glfwSetCursorPos(handle, double(windowWidth / 2), double(windowHeight / 2));
}

Window::~Window()
{
    glfwDestroyWindow(handle);
    --instanceCount;
    if (instanceCount <= 0)
        glfwTerminate();
}

} // namespace vantor::util
