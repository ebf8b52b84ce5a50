#pragma once

// The body of one frame of the game loop, after the window's events were polled: clear,
// Game::update by deltaTime seconds, Game::render (unless `draw` is false), the frame-rate
// line every 61 frames while showFrametime is on (only where `frameRateLine` is true: the
// player's loop prints it, scripted runs do not), buffer swap, and the OpenGL error check.
// Works on the process-wide game and window, which startUp() created.
void playFrame(double deltaTime, bool draw = true, bool frameRateLine = true);
