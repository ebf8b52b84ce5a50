#pragma once
#include "platform/ImageLibrary.h"

#include <string>

// Decodes `path` as a texture takes it: 8-bit RGB with its mip chain (see decodeImage and
// buildMipChain). Touches no OpenGL, so any thread may decode.
DecodedImage decodeTextureImage(const std::string& path);
