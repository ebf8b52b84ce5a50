#include "render/Texture.h"

#include "platform/FatalExit.h"

#include <IL/il.h>
#include <iostream>

namespace vantor::util {

Texture::Texture(GLenum target, const char* fileName)
    : fileName(fileName), textureObject(0), target(target), imageData(nullptr)
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
    glGenTextures(1, &textureObject);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(target, textureObject);

    int width = 0;
    int height = 0;
    imageData = loadImage(fileName.c_str(), width, height);

    // NOTE: RGB rows are packed (width x 3 bytes); the default 4-byte unpack alignment
    // would skew every image whose width is not a multiple of 4. Restore it afterwards so
    // the rest of the game sees the default state.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(target, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, imageData);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);

    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameterf(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameterf(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return true;
}

} // namespace vantor::util

unsigned char* loadImage(const char* path, int& width, int& height)
{
    ILuint image = ilGenImage();
    ilBindImage(image);
    bool loaded = ilLoadImage(path) == IL_TRUE;

    for (ILenum error = ilGetError(); error != IL_NO_ERROR; error = ilGetError())
        std::cout << "DevIL Error: " << error << ", Bildpfad: " << path << std::endl;

    if (!loaded || ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE) != IL_TRUE) {
        ilBindImage(0);
        ilDeleteImage(image);
        fatalExit(std::string("DevIL Error: Could not load image, path: ") + path);
    }
    width = ilGetInteger(IL_IMAGE_WIDTH);
    height = ilGetInteger(IL_IMAGE_HEIGHT);
    return ilGetData();
}
