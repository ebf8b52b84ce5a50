#include "render/TextureImage.h"

#include "render/MipChain.h"

DecodedImage decodeTextureImage(const std::string& path)
{
    DecodedImage image = decodeImage(path);
    buildMipChain(image);
    return image;
}
