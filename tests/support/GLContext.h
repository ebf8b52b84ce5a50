#pragma once
struct GLFWwindow;

// A hidden window with a real OpenGL 3.3 core debug context, current on this thread,
// with the loader initialised, for tests that draw or upload and read back.
class GLContext {
public:
    GLContext(int width = 64, int height = 64);
    ~GLContext();

    GLFWwindow* window; // owned
};
