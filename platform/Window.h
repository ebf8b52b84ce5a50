#pragma once
#include <string>

struct GLFWwindow;

namespace vantor::util {

// The largest window side the game opens: the render targets of a frame are as large as
// the window, and 16384 is the largest texture side of the drivers the game meets (Mesa's
// software renderer among them). It also keeps clear of the X protocol's 32767.
const int maxWindowSide = 16384; // pixels

// Why a window of width x height pixels cannot be opened, or "" when it can.
std::string windowSizeProblem(int width, int height);

// The window library's own words for its last failure, or "" when it has none to report.
std::string windowLibraryReason();

// The game's one window with its OpenGL 3.3 core debug context. The first Window
// initialises the window library; the last one destroyed terminates it. Size and mode
// come from windowWidth, windowHeight and windowed.
// Ends the process (fatalExit) when the window library or the window cannot be created,
// a size outside 1..maxWindowSide included, after a line that says why.
class Window {
public:
    explicit Window(std::string title);
    virtual ~Window();

    GLFWwindow* handle; // the window library's window; never null once constructed

    static int instanceCount; // live Window objects
};

} // namespace vantor::util
