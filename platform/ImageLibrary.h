#pragma once
#include <string>
#include <vector>

// One level of an image: 8-bit RGB, rows packed (width x 3 bytes), top row first as the
// image library delivers it.
struct ImageLevel {
    int width = 0;                     // pixels
    int height = 0;                    // pixels
    std::vector<unsigned char> pixels; // width x height x 3 bytes
};

// An image file decoded into memory, with what the image library said about it.
struct DecodedImage {
    std::string path;                // the file
    std::string log;                 // one "DevIL Error: <code>, Bildpfad: <path>" line per queued library error
    bool decoded = false;            // false: the file could not be loaded or converted to RGB
    std::vector<ImageLevel> levels;  // level 0 the image itself; the mip chain, when built, after it
};

// Decodes `path` to 8-bit RGB into level 0 and frees the library's copy at once. Prints
// nothing: the library's error lines are kept in the result for whoever takes the image in.
// The first call initialises the image library, on whichever thread it runs (the loading
// worker decodes before the window exists); nothing else calls into the library.
// NOTE: the image library keeps global state and is not thread-safe; this holds one lock
// for the whole call, so any thread may decode, one at a time.
DecodedImage decodeImage(const std::string& path);
