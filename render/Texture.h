#pragma once
#include "platform/GL.h"
#include "platform/ImageLibrary.h"

#include <string>

namespace vantor::util {

// A 2-D texture filled from an image file: decoded to 8-bit RGB, uploaded with a full mip
// chain, filtered trilinearly. The owner deletes it with its GL texture.
class Texture {
public:
    Texture(GLenum target, const char* fileName);
    ~Texture();

    // Decodes the image file (with its mip chain), then creates and fills the texture;
    // leaves unit 0 active with this texture bound. Ends the process (fatalExit) when the
    // image cannot be decoded, so it only ever returns true.
    bool load();
    // The same from an image decoded elsewhere (with its mip chain): prints the image
    // library's lines kept with it, ends the process when it was not decoded, else uploads
    // every level and frees the pixels.
    bool load(DecodedImage& image);

    std::string fileName;       // the image file; an owned copy of the path
    GLuint textureObject;       // created by load()
    GLenum target;              // always GL_TEXTURE_2D in this game
};

} // namespace vantor::util
