#pragma once
// Window settings and the two process-wide objects, set up by main() and startUp().

namespace vantor::util { class Window; }
class Game;

// The command line's choice, fixed for the run: the window opens at this size, and a game
// started full screen comes back to it. The size the window has now is the Window's own.
extern int windowWidth;   // window units (pixels on an unscaled display); as the window opens
extern int windowHeight;  // window units
extern bool windowed;     // true: starts as an ordinary window; false: full screen on the primary monitor

extern vantor::util::Window* gameWindow;  // owned by main(); created by startUp()
extern Game* game;                        // owned by main(); created by startUp()
