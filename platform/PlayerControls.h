#pragma once
#include <glm/vec2.hpp>

class Input;
struct GLFWwindow;

// What the player asks of the game, from the keyboard and the gamepad together, read
// through an Input: the hero, the free camera's turn, the replay and the frame loop ask
// here rather than for keys. No OpenGL: plain tests reach it.

constexpr float stickDeadZone = 0.15f; // radial; a deflection up to this counts as none

// A stick's deflection with the dead zone taken out: zero up to stickDeadZone, then rising
// linearly to length 1 at full deflection (and no further), in the stick's direction.
glm::vec2 stickBeyondDeadZone(glm::vec2 deflection);

// The push on the ball: x to the right, y away from the camera, each from -1 to 1, where 1
// is a key's push. On each axis the strongest of the keys (W S, A D), the D-pad and the
// left stick wins; W and S (or up and down) together cancel.
glm::vec2 ballPush(Input& input, GLFWwindow* window);

bool jumpHeld(Input& input, GLFWwindow* window);   // Space or the pad's A
bool replayHeld(Input& input, GLFWwindow* window); // R or Start
bool quitHeld(Input& input, GLFWwindow* window);   // Escape or Back

// The right stick beyond its dead zone, x to the right and y up, from -1 to 1; zero
// without a pad. Turns the free camera.
glm::vec2 cameraTurn(Input& input);
