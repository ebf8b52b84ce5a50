#pragma once
#include <string>

// The function-key table, kept apart from OpenGL so that plain tests reach it. keyCallback
// wraps it.

// Applies one key event to the render settings (platform/RenderSettings.h) and returns the
// confirmation message without its line end. Only presses of F, F2 … F9 act; anything else
// (repeats, releases, other keys) changes nothing and returns an empty string.
// F3 only flips `wireframe`: the caller switches the polygon mode.
std::string applySettingsKey(int key, int action);
