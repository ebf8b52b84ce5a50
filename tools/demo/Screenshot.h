#pragma once
#include <string>

// Writes what the window's back buffer holds now (the frame just rendered, before the
// buffer swap) to an RGB PNG file, top row first. False if the file cannot be written.
bool writeScreenshot(const std::string& path, int width, int height);
