#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct GLFWwindow;

// A window of the X server as the server itself sees it, for tests that check what a game
// shows or do what a window manager would (the test display has none). Windows are named
// by their X id. Each call opens its own connection to the display, so several tests may
// share one display.

// A window's picture, rows from the top, RGB.
struct WindowImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

// Reads what `window` shows now; false when the display or the window cannot be read.
bool captureWindow(unsigned long window, WindowImage& image);

// The size of `window` (or, for window 0, of the whole screen), as the server has it.
bool windowSize(unsigned long window, int& width, int& height);

// Marks `window` minimised (iconic) or back to normal the way a window manager does, in
// its WM_STATE property, which the window library watches.
bool setMinimisedState(unsigned long window, bool minimised);

// The X id of a window of this process.
unsigned long xWindowOf(GLFWwindow* window);

// How many of `connectionsEach` connections, opened and closed one after the other by each
// of `processes` processes side by side, the display refused: what a suite does to it when
// every test case starts its own game.
int refusedConnections(int processes, int connectionsEach);
