#pragma once
#include "platform/GL.h"
#include "platform/Input.h"

#include <set>

// Keys, a cursor and a gamepad set by a program instead of a player: tests and the
// autopilot drive the real update code through it, deterministically. The cursor stays
// where it is put, so mouse look sees no motion unless a script moves it.
class ScriptedInput : public Input {
public:
    bool isKeyDown(GLFWwindow* window, int key) override;
    void getCursorPos(GLFWwindow* window, double& x, double& y) override;
    void setCursorPos(GLFWwindow* window, double x, double y) override;
    bool getGamepad(GLFWgamepadstate& state) override;

    void press(int key) { keysDown.insert(key); }
    void release(int key) { keysDown.erase(key); }
    // Every key up, and the pad (if connected) back at rest.
    void releaseAll()
    {
        keysDown.clear();
        pad = {};
    }

    std::set<int> keysDown; // GLFW key codes held now
    double cursorX = 0.0;   // pixels
    double cursorY = 0.0;   // pixels
    bool padConnected = false; // whether getGamepad reports `pad`
    GLFWgamepadstate pad = {}; // sticks from -1 to 1 (y down), buttons GLFW_PRESS or GLFW_RELEASE
};

// Installs a scripted source for as long as it lives, then puts the previous one back.
class ScopedInput {
public:
    explicit ScopedInput(Input* source) : previous(input) { input = source; }
    ~ScopedInput() { input = previous; }
    ScopedInput(const ScopedInput&) = delete;
    ScopedInput& operator=(const ScopedInput&) = delete;

private:
    Input* previous;
};
