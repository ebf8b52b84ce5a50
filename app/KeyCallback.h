#pragma once
struct GLFWwindow;

// The window library's key callback: function keys switch the render settings.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);
