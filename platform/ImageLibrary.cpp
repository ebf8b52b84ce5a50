#include "platform/ImageLibrary.h"

#include <IL/il.h>
#include <cstring>
#include <mutex>

namespace {

std::mutex imageLibraryLock;          // held around every call into the image library
bool imageLibraryInitialised = false; // guarded by imageLibraryLock

} // namespace

DecodedImage decodeImage(const std::string& path)
{
    std::lock_guard<std::mutex> guard(imageLibraryLock);
    if (!imageLibraryInitialised) {
        ilInit();
        imageLibraryInitialised = true;
    }

    DecodedImage result;
    result.path = path;
    const ILuint image = ilGenImage();
    ilBindImage(image);
    const bool loaded = ilLoadImage(path.c_str()) == IL_TRUE;
    for (ILenum error = ilGetError(); error != IL_NO_ERROR; error = ilGetError())
        result.log += "DevIL Error: " + std::to_string(error) + ", Bildpfad: " + path + "\n";

    if (loaded && ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE) == IL_TRUE) {
        ImageLevel level;
        level.width = ilGetInteger(IL_IMAGE_WIDTH);
        level.height = ilGetInteger(IL_IMAGE_HEIGHT);
        level.pixels.resize(size_t(level.width) * size_t(level.height) * 3);
        std::memcpy(level.pixels.data(), ilGetData(), level.pixels.size());
        result.levels.push_back(std::move(level));
        result.decoded = true;
    }
    ilBindImage(0);
    ilDeleteImage(image);
    return result;
}
