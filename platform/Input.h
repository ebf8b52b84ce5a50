#pragma once
struct GLFWwindow;
struct GLFWgamepadstate;

// Where the hero, the camera and the replay key read the keyboard, the cursor and the
// gamepad. The game asks the window library; tests and the autopilot install their own
// source, so the same update code runs deterministically from a script.
class Input {
public:
    virtual ~Input() = default;
    virtual bool isKeyDown(GLFWwindow* window, int key) = 0; // key: a GLFW_KEY_* code
    virtual void getCursorPos(GLFWwindow* window, double& x, double& y) = 0; // pixels
    virtual void setCursorPos(GLFWwindow* window, double x, double y) = 0;   // pixels
    // The sticks and buttons of the pad in use; false while no pad is connected, and then
    // `pad` holds nothing to read.
    virtual bool getGamepad(GLFWgamepadstate& pad) = 0;
};

// The window library's keyboard and cursor, and its first connected gamepad.
class GlfwInput : public Input {
public:
    bool isKeyDown(GLFWwindow* window, int key) override;
    void getCursorPos(GLFWwindow* window, double& x, double& y) override;
    void setCursorPos(GLFWwindow* window, double x, double y) override;
    bool getGamepad(GLFWgamepadstate& pad) override;
};

// The current source; never null. Starts as a GlfwInput that lives for the whole run.
// Whoever installs another one keeps it alive while it is installed.
extern Input* input;
