#pragma once
#include <string>

// The function-key table, kept apart from OpenGL so that plain tests reach it. keyCallback
// wraps it.

// Applies one key event to the render settings (platform/RenderSettings.h) and returns the
// confirmation message without its line end. Only presses of F, F2 … F9 act; anything else
// (repeats, releases, other keys) changes nothing and returns an empty string.
// F3 only flips `wireframe`: the caller switches the polygon mode.
std::string applySettingsKey(int key, int action);

// Whether a key event asks to switch between the window and full screen: a press of F11,
// or of Enter (the main one or the keypad's) with Alt held; `mods` as the window library
// gives them. Repeats and releases do not.
bool asksForFullScreenSwitch(int key, int action, int mods);
