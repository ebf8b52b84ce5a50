#pragma once

// SIGTERM and SIGINT (kill, Ctrl+C, timeout, a session ending) end the game as Escape
// does: the handler only notes the request, the frame loop reads it after the current
// frame, and the game and the window are destroyed in order. A second signal while the
// first is still waiting ends the process at once, in case the game hangs.
void catchStopSignals();
// True once SIGTERM or SIGINT has arrived.
bool stopRequested();
