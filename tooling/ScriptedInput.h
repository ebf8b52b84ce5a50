#pragma once
#include "platform/Input.h"

#include <set>

// Keys and a cursor set by a program instead of a player: tests and the autopilot drive
// the real update code through it, deterministically. The cursor stays where it is put,
// so mouse look sees no motion unless a script moves it.
class ScriptedInput : public Input {
public:
    bool isKeyDown(GLFWwindow* window, int key) override;
    void getCursorPos(GLFWwindow* window, double& x, double& y) override;
    void setCursorPos(GLFWwindow* window, double x, double y) override;

    void press(int key) { keysDown.insert(key); }
    void release(int key) { keysDown.erase(key); }
    void releaseAll() { keysDown.clear(); }

    std::set<int> keysDown; // GLFW key codes held now
    double cursorX = 0.0;   // pixels
    double cursorY = 0.0;   // pixels
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
