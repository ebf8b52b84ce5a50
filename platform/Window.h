#pragma once
#include "platform/Monitors.h"

#include <string>

struct GLFWwindow;

namespace vantor::util {

// The largest window side the game opens: the render targets of a frame are as large as
// the window, and 16384 is the largest texture side of the drivers the game meets (Mesa's
// software renderer among them). It also keeps clear of the X protocol's 32767.
const int maxWindowSide = 16384; // pixels

// Why a window of width x height pixels cannot be opened (or drawn, where the driver's
// largest target side is smaller than maxWindowSide), or "" when it can.
std::string windowSizeProblem(int width, int height, int largestSide = maxWindowSide);

// The window library's own words for its last failure, or "" when it has none to report.
std::string windowLibraryReason();

// The game's one window with its OpenGL 3.3 core debug context. The first Window
// initialises the window library; the last one destroyed terminates it. It opens at the
// size and in the mode of windowWidth, windowHeight and windowed; from then on its own
// members below say what it is now: the window library's callbacks, run inside the event
// poll, keep them up to date.
// Ends the process (fatalExit) when the window library or the window cannot be created,
// a size outside 1..maxWindowSide included, after a line that says why.
class Window {
public:
    explicit Window(std::string title);
    virtual ~Window();

    // The Window that owns `handle`; null for a window the library made for someone else.
    static Window* of(GLFWwindow* handle);

    // Full screen on the monitor that holds most of the window, at that monitor's current
    // video mode (no mode change), or back to a window at its last windowed size and place
    // (centred on its monitor at the command line's size, for a game started full screen).
    // The new size arrives through the callbacks. Returns false, changing nothing, when
    // the window library knows no monitor.
    bool toggleFullScreen();

    GLFWwindow* handle;    // the window library's window; never null once constructed
    int width;             // window units (the cursor's); the size now
    int height;            // window units
    int framebufferWidth;  // pixels; what the window draws into now (0 on systems that shrink a minimised window)
    int framebufferHeight; // pixels
    bool minimised;        // iconified: nothing of it is seen
    bool fullScreen;       // on a monitor at its video mode
    int placeChanges;      // how often the window was moved, resized or switched to or from full screen
    ScreenRect windowedPlace; // window units; where toggleFullScreen puts the window back
    bool windowedPlaceKnown;  // false until the window leaves windowed mode: a game started full screen comes back centred

    static int instanceCount; // live Window objects
};

} // namespace vantor::util
