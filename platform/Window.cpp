#include "platform/Window.h"

#include "platform/FatalExit.h"
#include "platform/Globals.h"
#include "platform/GL.h"

#include <iostream>
#include <vector>

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

// The window library's callbacks: each only notes what changed, and the frame loop acts
// on it before its next frame.
void windowSizeChanged(GLFWwindow* handle, int width, int height)
{
    if (Window* window = Window::of(handle)) {
        window->width = width;
        window->height = height;
        ++window->placeChanges;
    }
}

void windowMoved(GLFWwindow* handle, int, int)
{
    if (Window* window = Window::of(handle))
        ++window->placeChanges;
}

void framebufferSizeChanged(GLFWwindow* handle, int width, int height)
{
    if (Window* window = Window::of(handle)) {
        window->framebufferWidth = width;
        window->framebufferHeight = height;
    }
}

void iconifyChanged(GLFWwindow* handle, int iconified)
{
    if (Window* window = Window::of(handle))
        window->minimised = iconified == GLFW_TRUE;
}

// Where `monitor` lies on the desktop and how large its current video mode is; empty when
// the library cannot say.
ScreenRect monitorPlace(GLFWmonitor* monitor)
{
    ScreenRect place{0, 0, 0, 0};
    glfwGetMonitorPos(monitor, &place.x, &place.y);
    if (const GLFWvidmode* mode = glfwGetVideoMode(monitor)) {
        place.width = mode->width;
        place.height = mode->height;
    }
    return place;
}
} // namespace

Window::Window(std::string title)
    : handle(nullptr), width(0), height(0), framebufferWidth(0), framebufferHeight(0), minimised(false),
      fullScreen(!windowed), placeChanges(0), windowedPlace{0, 0, windowWidth, windowHeight}, windowedPlaceKnown(false)
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

    // The sizes as the window came out (a full-screen window may differ from the one asked
    // for); the callbacks keep them from here on.
    glfwSetWindowUserPointer(handle, this);
    glfwGetWindowSize(handle, &width, &height);
    glfwGetFramebufferSize(handle, &framebufferWidth, &framebufferHeight);
    glfwSetWindowSizeCallback(handle, windowSizeChanged);
    glfwSetWindowPosCallback(handle, windowMoved);
    glfwSetFramebufferSizeCallback(handle, framebufferSizeChanged);
    glfwSetWindowIconifyCallback(handle, iconifyChanged);

    // The camera measures mouse movement against this centre.
    glfwSetCursorPos(handle, double(width / 2), double(height / 2));
}

Window* Window::of(GLFWwindow* handle)
{
    return static_cast<Window*>(glfwGetWindowUserPointer(handle));
}

bool Window::toggleFullScreen()
{
    if (fullScreen) {
        ScreenRect place = windowedPlace;
        GLFWmonitor* monitor = glfwGetWindowMonitor(handle);
        if (!windowedPlaceKnown && monitor != nullptr)
            place = centredOn(monitorPlace(monitor), windowedPlace.width, windowedPlace.height);
        glfwSetWindowMonitor(handle, nullptr, place.x, place.y, place.width, place.height, GLFW_DONT_CARE);
        fullScreen = false;
        ++placeChanges;
        return true;
    }

    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    std::vector<ScreenRect> places;
    for (int i = 0; i < count; ++i)
        places.push_back(monitorPlace(monitors[i]));
    ScreenRect here{0, 0, width, height};
    glfwGetWindowPos(handle, &here.x, &here.y);
    const int chosen = monitorHoldingMost(here, places);
    const GLFWvidmode* mode = chosen >= 0 ? glfwGetVideoMode(monitors[chosen]) : nullptr;
    if (mode == nullptr)
        return false;
    windowedPlace = here;
    windowedPlaceKnown = true;
    glfwSetWindowMonitor(handle, monitors[chosen], 0, 0, mode->width, mode->height, mode->refreshRate);
    fullScreen = true;
    // Counted at once: the window may stand elsewhere before the callbacks say so.
    ++placeChanges;
    return true;
}

std::string windowSizeProblem(int width, int height, int largestSide)
{
    if (width >= 1 && height >= 1 && width <= largestSide && height <= largestSide)
        return "";
    return "Window size " + std::to_string(width) + "x" + std::to_string(height) +
           " is not possible: each side must be 1 to " + std::to_string(largestSide) + " pixels.";
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
