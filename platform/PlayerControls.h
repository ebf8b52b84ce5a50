#pragma once
// Only the pad's state struct and the enumerants, no OpenGL call.
#include "platform/GL.h"

#include <glm/vec2.hpp>

class Input;

// What the player asks of one frame, from the keyboard and the gamepad together. The frame
// loop reads it once, right after the window's events are polled, and hands the same value
// to every reader of that frame (the hero, the free camera, the replay and the quit test):
// the keys are sticky and the pad is asked of the device itself, so a second read could see
// another state. No OpenGL: plain tests reach it.
struct PlayerControls {
    // On the ball: x to the right, y away from the camera, each from -1 to 1, where 1 is a
    // key's push. On each axis the strongest of the keys (W S, A D), the D-pad and the left
    // stick wins; W and S (or up and down) together cancel.
    glm::vec2 push{0.0f};
    bool jump = false;   // Space or the pad's A
    bool replay = false; // R or Start
    bool nextCourse = false; // N or the pad's Y, down this frame (the game acts on a press, not on holding)
    bool quit = false;   // Escape or Back
    glm::vec2 flight{0.0f};     // the free camera's W S A D, keys only: x right, y forward; -1, 0 or 1 each
    glm::vec2 cameraTurn{0.0f}; // the free camera's: the right stick beyond its dead zone, x right, y up, -1 to 1
    bool padConnected = false;  // whether a gamepad answered this frame
    GLFWgamepadstate pad{};     // its sticks (y down) and buttons as read this frame; all zero without one
};

constexpr float stickDeadZone = 0.15f; // radial; a deflection up to this counts as none

// A stick's deflection with the dead zone taken out: zero up to stickDeadZone, then rising
// linearly to length 1 at full deflection (and no further), in the stick's direction.
glm::vec2 stickBeyondDeadZone(glm::vec2 deflection);

// Asks `input` once for the pad and once for each key the game steers by (W S A D, Space,
// R, N, Escape), and makes of them what the player asks this frame.
PlayerControls readPlayerControls(Input& input, GLFWwindow* window);
