#pragma once
#include <string>

struct WindowConfig {
    int width = 800;      // pixels
    int height = 600;     // pixels
    bool windowed = true; // false: full screen
};

// Reads `width height windowmode`: all three or none. Any other count keeps the defaults.
// The numbers go through atoi unchecked; windowmode 0 means a window, anything else full screen.
WindowConfig parseCommandLine(int argc, const char* const* argv);

// "Starting game with 800x600 and windowmode = 1", without the line end.
std::string startLine(const WindowConfig& config);
