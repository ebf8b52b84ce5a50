#include "render/TextureFilters.h"

#include "platform/GL.h"

#include <cassert>

TextureFilters textureFiltersFor(bool nearestSampling, int mipmapMode)
{
    assert(mipmapMode >= 0 && mipmapMode <= 2);
    static const TextureFilters nearest[3] = {
        {GL_NEAREST, GL_NEAREST, "MIN: GL_NEAREST, MAG: GL_NEAREST"},
        {GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST, "MIN: GL_NEAREST_MIPMAP_NEAREST, MAG: GL_NEAREST"},
        {GL_NEAREST_MIPMAP_LINEAR, GL_NEAREST, "MIN: GL_NEAREST_MIPMAP_LINEAR, MAG: GL_NEAREST"},
    };
    static const TextureFilters bilinear[3] = {
        {GL_LINEAR, GL_LINEAR, "MIN: GL_LINEAR, MAG: GL_LINEAR"},
        {GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR, "MIN: GL_LINEAR_MIPMAP_NEAREST, MAG: GL_LINEAR"},
        {GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, "MIN: GL_LINEAR_MIPMAP_LINEAR, MAG: GL_LINEAR"},
    };
    return nearestSampling ? nearest[mipmapMode] : bilinear[mipmapMode];
}
