#pragma once
// Window settings and the two process-wide objects, set up by main() and startUp().

namespace vantor::util { class Window; }
class Game;

extern int windowWidth;   // pixels; window and default framebuffer
extern int windowHeight;  // pixels
extern bool windowed;     // true: an ordinary window; false: full screen on the primary monitor

extern vantor::util::Window* gameWindow;  // owned by main(); created by startUp()
extern Game* game;                        // owned by main(); created by startUp()
