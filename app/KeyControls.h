#pragma once
#include <string>

// The function-key table and the texture-filter table, kept apart from OpenGL so that
// plain tests reach them. keyCallback and Game::applyTextureSettings wrap them.

// Applies one key event to the render settings (app/RenderSettings.h) and returns the
// confirmation message without its line end. Only presses of F, F2 … F9 act; anything else
// (repeats, releases, other keys) changes nothing and returns an empty string.
// F3 only flips `wireframe`: the caller switches the polygon mode.
std::string applySettingsKey(int key, int action);

// The filter pair for a sampling and mip-map setting, with the line that reports it.
struct TextureFilters {
    int minFilter;    // GL enumerant for GL_TEXTURE_MIN_FILTER
    int magFilter;    // GL enumerant for GL_TEXTURE_MAG_FILTER
    const char* line; // "MIN: …, MAG: …"; static text
};

// mipmapMode: 0 no mip-mapping, 1 nearest level, 2 linear between levels.
TextureFilters textureFiltersFor(bool nearestSampling, int mipmapMode);
