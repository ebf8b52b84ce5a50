#pragma once
#include <string>

// The console's "press a key" pause: waits for Enter when standard input is a terminal, so
// a player can read what went wrong; returns at once for tests, scripts and CI. A stop
// asked for (see setConsolePauseStop) ends the wait, or skips it when it came before.
void pauseConsole();

// Lets a stop end pauseConsole's wait: `stopRequested` tells whether one has been asked
// for. The wait lets the stop signals (StopSignalMask.h) through, so their handler, which
// notes the stop, interrupts it. Null (the default): only Enter or the end of the input
// ends it, and a stop signal has its default action.
void setConsolePauseStop(bool (*stopRequested)());

// Ends the game after a fatal start-up error: writes `line` and a line end to standard
// output, flushes it, waits for Enter when standard input is a terminal (so a player can
// read the console before it closes, while tests and scripts never hang; a stop signal
// ends the wait), then exits the process with code -1.
[[noreturn]] void fatalExit(const std::string& line);

// Runs `hook` inside fatalExit after the pause and before the process ends; null for none.
// NOTE: std::exit destroys the libraries' static objects, some of them created on first
// use by a worker thread; a worker that still runs must be stopped before that.
void setFatalExitHook(void (*hook)());
