#pragma once
#include <string>

// Gamepads come and go while the game runs; GlfwInput reads whichever is connected. This
// is the log side of it and the player's own mapping file.

// Takes the pad mappings of the file LANTERN_TRAIL_PAD_MAPPINGS names (SDL's game
// controller format, one pad a line), logs each pad or mapping-less joystick present now,
// and logs every one plugged in or pulled out from now on (during glfwPollEvents). Needs
// the window library started.
void watchGamepads();

// Hands the mappings in the file at `path` to the window library and returns the line that
// says how that went: read, or which line the library did not take and why, or that the
// file cannot be opened. Blank lines and lines starting with '#' are skipped.
std::string addPadMappings(const std::string& path);
