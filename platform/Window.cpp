#include "platform/Window.h"

#include "platform/FatalExit.h"
#include "platform/Globals.h"
#include "platform/GL.h"

#include <iostream>

namespace vantor::util {

int Window::instanceCount = 0;

namespace {
// The window library's own words for its last failure, before the game's fatal line.
void printWindowLibraryReason()
{
    const std::string reason = windowLibraryReason();
    if (!reason.empty())
        std::cout << "The window library says: " << reason << std::endl;
}
} // namespace

Window::Window(std::string title) : handle(nullptr)
{
    if (instanceCount == 0) {
        if (glfwInit() != GL_TRUE) {
            printWindowLibraryReason();
            fatalExit("Failed to init GLFW");
        }
        glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GL_TRUE);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
        glfwWindowHint(GLFW_REFRESH_RATE, 60);
    }

    // NOTE: the window library asserts on a negative size and the X server ends the
    // process on one it cannot take, so the size is checked first.
    const std::string sizeProblem = windowSizeProblem(windowWidth, windowHeight);
    if (sizeProblem.empty()) {
        GLFWmonitor* monitor = windowed ? nullptr : glfwGetPrimaryMonitor();
        handle = glfwCreateWindow(windowWidth, windowHeight, title.c_str(), monitor, nullptr);
    }
    if (handle == nullptr) {
        if (!sizeProblem.empty())
            std::cout << sizeProblem << std::endl;
        else
            printWindowLibraryReason();
        glfwTerminate();
        fatalExit("Failed to open window");
    }
    ++instanceCount;

    glfwSetInputMode(handle, GLFW_STICKY_KEYS, GL_TRUE);
    glfwSetInputMode(handle, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
    // The camera measures mouse movement against this centre.
    glfwSetCursorPos(handle, double(windowWidth / 2), double(windowHeight / 2));
}

std::string windowSizeProblem(int width, int height)
{
    if (width >= 1 && height >= 1 && width <= maxWindowSide && height <= maxWindowSide)
        return "";
    return "Window size " + std::to_string(width) + "x" + std::to_string(height) +
           " is not possible: each side must be 1 to " + std::to_string(maxWindowSide) + " pixels.";
}

std::string windowLibraryReason()
{
    const char* reason = nullptr;
    if (glfwGetError(&reason) == GLFW_NO_ERROR || reason == nullptr)
        return "";
    return reason;
}

Window::~Window()
{
    glfwDestroyWindow(handle);
    --instanceCount;
    if (instanceCount <= 0)
        glfwTerminate();
}

} // namespace vantor::util
