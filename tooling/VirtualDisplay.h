#pragma once

// The game needs an X display even when it draws nothing. On a machine without one (no
// DISPLAY), a tool starts itself again inside a private X server, as scripts/run.sh starts
// the demo: `xvfb-run -a -s "-screen 0 1024x768x24"` with the same arguments. Its output
// and exit code are then those of the run inside.
//
// Returns at once when a display is set (or this process already is the run inside);
// otherwise replaces the process and returns only when xvfb-run could not be started,
// after printing a "FAILED: ..." line that says why.
void runInsideVirtualDisplayIfNeeded(char** argv);
