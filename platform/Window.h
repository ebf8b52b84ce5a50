#pragma once
#include <string>

struct GLFWwindow;

namespace vantor::util {

// The game's one window with its OpenGL 3.3 core debug context. The first Window
// initialises the image and window libraries; the last one destroyed terminates the
// window library. Size and mode come from windowWidth, windowHeight and windowed.
// Ends the process (fatalExit) when the window library or the window cannot be created.
class Window {
public:
    explicit Window(std::string title);
    virtual ~Window();

    GLFWwindow* handle; // the window library's window; never null once constructed

    static int instanceCount; // live Window objects
};

} // namespace vantor::util
