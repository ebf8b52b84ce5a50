#pragma once
#include "platform/GL.h"

#include <string>

namespace vantor::util {

// A 2-D texture filled from an image file: decoded to 8-bit RGB, uploaded at level 0 with a
// full mip chain, filtered trilinearly. The owner deletes it with its GL texture.
class Texture {
public:
    Texture(GLenum target, const char* fileName);
    ~Texture();

    // Creates and fills the texture; leaves unit 0 active with this texture bound. Ends the
    // process (fatalExit) when the image cannot be decoded, so it only ever returns true.
    bool load();

    std::string fileName;       // the image file; an owned copy of the path
    GLuint textureObject;       // created by load()
    GLenum target;              // always GL_TEXTURE_2D in this game
    unsigned char* imageData;   // not owned: the decoded RGB rows, held by the image library
};

} // namespace vantor::util

// Decodes one image file into 8-bit RGB with the image library and returns its pixels
// (top row first, width x 3 bytes a row), setting width and height. Prints every queued
// "DevIL Error: " line; ends the process when the image cannot be loaded or converted.
unsigned char* loadImage(const char* path, int& width, int& height);
