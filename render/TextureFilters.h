#pragma once

// The texture-filter table, kept apart from OpenGL calls so that plain tests reach it.
// Game::applyTextureSettings wraps it.

// The filter pair for a sampling and mip-map setting, with the line that reports it.
struct TextureFilters {
    int minFilter;    // GL enumerant for GL_TEXTURE_MIN_FILTER
    int magFilter;    // GL enumerant for GL_TEXTURE_MAG_FILTER
    const char* line; // "MIN: …, MAG: …"; static text
};

// mipmapMode: 0 no mip-mapping, 1 nearest level, 2 linear between levels.
TextureFilters textureFiltersFor(bool nearestSampling, int mipmapMode);
