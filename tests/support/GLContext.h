#pragma once
#include <string>

struct GLFWwindow;

// Starts the window library, trying a few times: under Xvfb about one start in 150 fails
// to open the display. False, with the library's reason in `reason`, when every try failed;
// a test then fails with that reason instead of ending the whole test program. Once it is
// started, the game's Window and GameRunner find the library up and only create a window.
bool startWindowLibrary(std::string& reason);

// A hidden window with a real OpenGL 3.3 core debug context, current on this thread,
// with the loader initialised, for tests that draw or upload and read back. A test checks
// started() first: the window library or the context may fail to start.
class GLContext {
public:
    GLContext(int width = 64, int height = 64);
    ~GLContext();

    bool started() const { return window != nullptr; }

    GLFWwindow* window;  // owned; null when the start failed
    std::string failure; // why the start failed, in the window library's words
};
