#include "support/GLContext.h"

#include "platform/GL.h"
#include "platform/Window.h"

#include <chrono>
#include <thread>

namespace {
const int startTries = 5;

// The window library's words for its last error.
std::string lastFailure()
{
    const std::string reason = vantor::util::windowLibraryReason();
    return reason.empty() ? "no reason given" : reason;
}

void waitBeforeTryingAgain()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}
} // namespace

bool startWindowLibrary(std::string& reason)
{
    for (int attempt = 1; attempt <= startTries; ++attempt) {
        if (glfwInit() == GLFW_TRUE)
            return true;
        reason = "the window library did not start (" + std::to_string(attempt) +
                 " tries; tests with OpenGL need a display, run them under xvfb-run): " + lastFailure();
        waitBeforeTryingAgain();
    }
    return false;
}

GLContext::GLContext(int width, int height) : window(nullptr)
{
    if (!startWindowLibrary(failure))
        return;
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    for (int attempt = 1; attempt <= startTries && window == nullptr; ++attempt) {
        window = glfwCreateWindow(width, height, "test", nullptr, nullptr);
        if (window == nullptr) {
            failure = "no 3.3 core context (" + std::to_string(attempt) + " tries): " + lastFailure();
            waitBeforeTryingAgain();
        }
    }
    if (window == nullptr)
        return;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    glewInit();
    while (glGetError() != GL_NO_ERROR) {
    }
}

GLContext::~GLContext()
{
    if (window != nullptr)
        glfwDestroyWindow(window);
    glfwTerminate();
}
