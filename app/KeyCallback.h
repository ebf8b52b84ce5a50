#pragma once
struct GLFWwindow;

// The window library's key callback: function keys switch the render settings, and F11 or
// Alt+Enter switch the game's Window between a window and full screen.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);
