#include "game/Game.h"

#include "platform/RenderSettings.h"
#include "render/Texture.h"
#include "render/TextureFilters.h"

#include <iostream>

// Runs from the update after F4 or F5, never from the key callback, so that a frame's
// passes all sample with the same filters and two keys in one frame cost one pass here.
void Game::applyTextureSettings()
{
    TextureFilters filters = textureFiltersFor(nearestSampling, mipmapMode);
    std::cout << filters.line << std::endl;
    for (vantor::util::Texture* texture : textures) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(texture->target, texture->textureObject);
        glTexParameterf(texture->target, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(filters.minFilter));
        glTexParameterf(texture->target, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(filters.magFilter));
    }
    textureSettingsChanged = false;
}
