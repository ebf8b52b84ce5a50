#pragma once

// SIGTERM and SIGINT (kill, Ctrl+C, timeout, a session ending) end the game as Escape
// does: the handler only notes the request, the frame loop reads it after the current
// frame, and the game and the window are destroyed in order. A stop that arrives while the
// console waits at "Press Enter" ends that wait at once (pauseConsole): after a fatal error
// the game then ends with the fatal exit code.
//
// The same stop often arrives twice: `timeout` signals the game and then its whole
// process group, and so do a desktop logout and service managers. Signals within
// stopGraceSeconds of the first are therefore absorbed; one later than that (a player who
// presses Ctrl+C again because the game hangs) ends the process at once.
//
// The main thread takes both signals: every thread the game starts blocks them
// (StopSignalMask.h). The handler is safe on any thread all the same.
void catchStopSignals();
// True once SIGTERM or SIGINT has arrived.
bool stopRequested();

constexpr double stopGraceSeconds = 2.0; // a repeated signal within this time is absorbed
