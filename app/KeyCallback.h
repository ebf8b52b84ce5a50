#pragma once
struct GLFWwindow;

// The window library's key callback: function keys switch the render settings, F11 or
// Alt+Enter switch the game's Window between a window and full screen, and F12 switches
// the render scale between automatic and fixed at 1.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);
