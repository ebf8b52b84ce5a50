#pragma once

// The body of one frame of the game loop, after the window's events were polled: reads what
// the player asks (keys and pad, once), clears, Game::update by deltaTime seconds with
// those controls, Game::render (unless `draw` is false), the frame-rate line every 61
// frames while showFrametime is on (only where `frameRateLine` is true: the player's loop
// prints it, scripted runs do not), buffer swap, and the OpenGL error check. Returns whether
// the loop goes on: not once the same controls ask to quit (Escape or Back), the window was
// asked to close, or a stop signal came. Works on the process-wide game and window, which
// startUp() created, and on the process-wide input.
bool playFrame(double deltaTime, bool draw = true, bool frameRateLine = true);
