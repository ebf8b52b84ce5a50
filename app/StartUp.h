#pragma once

class AssetPrefetch;

// Creates the window and its context, brings up the OpenGL loader, sets the OpenGL state
// that all rendering assumes, registers the debug-message and key callbacks, and creates
// and initialises the Game. Stores both in gameWindow and game. The start-up's assets are
// read ahead through `assets` (not started yet), which is finished before this returns.
// Ends the process on a fatal start-up error.
void startUp(AssetPrefetch& assets);
// The same with a read-ahead of its own.
void startUp();
