#pragma once

// Creates the window and its context, brings up the OpenGL loader, sets the OpenGL state
// that all rendering assumes, registers the debug-message and key callbacks, and creates
// and initialises the Game. Stores both in gameWindow and game. Ends the process on a
// fatal start-up error.
void startUp();
