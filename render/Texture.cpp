#include "render/Texture.h"

#include "platform/FatalExit.h"
#include "render/TextureImage.h"

#include <iostream>

namespace vantor::util {

Texture::Texture(GLenum target, const char* fileName) : fileName(fileName), textureObject(0), target(target)
{
}

Texture::~Texture()
{
    if (textureObject != 0)
        glDeleteTextures(1, &textureObject);
    textureObject = 0;
}

bool Texture::load()
{
    DecodedImage image = decodeTextureImage(fileName);
    return load(image);
}

bool Texture::load(DecodedImage& image)
{
    glGenTextures(1, &textureObject);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(target, textureObject);

    std::cout << image.log;
    if (!image.decoded)
        fatalExit("DevIL Error: Could not load image, path: " + image.path);

    // NOTE: RGB rows are packed (width x 3 bytes); the default 4-byte unpack alignment
    // would skew every level whose width is not a multiple of 4. Restore it afterwards so
    // the rest of the game sees the default state.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Says how deep the chain goes before level 0 arrives. Otherwise the driver, seeing the
    // default mip-mapped filter but no maximum level, stores level 0 alone, keeps each later
    // level apart, and at the first draw copies all of them into one chain: until then the
    // texture is held twice.
    glTexParameteri(target, GL_TEXTURE_MAX_LEVEL, GLint(image.levels.size()) - 1);
    for (size_t level = 0; level < image.levels.size(); ++level) {
        const ImageLevel& pixels = image.levels[level];
        glTexImage2D(target, GLint(level), GL_RGB, pixels.width, pixels.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     pixels.pixels.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    glTexParameterf(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameterf(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    // The texture holds its own copy now; keeping the decoded one would cost its size
    // for the rest of the run, once for every texture.
    image.levels.clear();
    image.levels.shrink_to_fit();
    return true;
}

} // namespace vantor::util
