#include "support/XWindow.h"

#include <algorithm>
#include <sys/wait.h>
#include <unistd.h>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
// Last: Xlib defines macros (None, Status, KeyPress) that clash with other headers.
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
// The display for one call, closed (and so flushed) when it goes.
struct DisplayConnection {
    DisplayConnection() : display(XOpenDisplay(nullptr)) {}
    ~DisplayConnection()
    {
        if (display != nullptr)
            XCloseDisplay(display);
    }
    Display* display;
};

// The 8-bit value of the channel that `mask` selects in `pixel`.
uint8_t channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    const unsigned long maximum = mask >> shift;
    return uint8_t(((pixel & mask) >> shift) * 255 / maximum);
}
} // namespace

bool captureWindow(unsigned long window, WindowImage& image)
{
    DisplayConnection connection;
    int width = 0, height = 0;
    if (connection.display == nullptr || !windowSize(window, width, height))
        return false;
    XImage* picture = XGetImage(connection.display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (picture == nullptr)
        return false;
    image.width = width;
    image.height = height;
    image.rgb.resize(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(picture, x, y);
            uint8_t* out = &image.rgb[(size_t(y) * width + x) * 3];
            out[0] = channel(pixel, picture->red_mask);
            out[1] = channel(pixel, picture->green_mask);
            out[2] = channel(pixel, picture->blue_mask);
        }
    XDestroyImage(picture);
    return true;
}

bool windowSize(unsigned long window, int& width, int& height)
{
    DisplayConnection connection;
    if (connection.display == nullptr)
        return false;
    XWindowAttributes attributes;
    const Window target = window != 0 ? window : DefaultRootWindow(connection.display);
    if (XGetWindowAttributes(connection.display, target, &attributes) == 0)
        return false;
    width = attributes.width;
    height = attributes.height;
    return true;
}

bool setMinimisedState(unsigned long window, bool minimised)
{
    DisplayConnection connection;
    if (connection.display == nullptr)
        return false;
    const Atom state = XInternAtom(connection.display, "WM_STATE", False);
    // ICCCM: the state, then the icon window (none).
    const long value[2] = {minimised ? IconicState : NormalState, 0};
    XChangeProperty(connection.display, window, state, state, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(value), 2);
    XSync(connection.display, False);
    return true;
}

unsigned long xWindowOf(GLFWwindow* window)
{
    return glfwGetX11Window(window);
}

int refusedConnections(int processes, int connectionsEach)
{
    std::vector<pid_t> children;
    for (int i = 0; i < processes; ++i) {
        const pid_t child = fork();
        if (child != 0) {
            if (child > 0)
                children.push_back(child);
            continue;
        }
        int refused = 0;
        for (int n = 0; n < connectionsEach; ++n) {
            Display* display = XOpenDisplay(nullptr);
            if (display == nullptr) {
                ++refused;
                continue;
            }
            XSync(display, False);
            XCloseDisplay(display);
        }
        _exit(std::min(refused, 255));
    }
    int refused = (processes - int(children.size())) * connectionsEach; // those never started
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        refused += WIFEXITED(status) ? WEXITSTATUS(status) : connectionsEach;
    }
    return refused;
}
