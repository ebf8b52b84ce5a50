#pragma once
#include "render/PixelBox.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace vantor::scene {

const float shadowBoxSize = 140.0f; // world units; the side of the box the shadow map covers

// The light's projection x view for a shadow map of mapTexels x mapTexels over a box of
// shadowBoxSize around `focus` (the ball, so that every course has shadows where it is
// played), lit along `direction` (not normalised). The box's centre is moved to whole
// texels across the light's view, so that each texel stays over the same patch of the
// world as the focus moves and shadow edges stand still instead of crawling.
glm::mat4 shadowViewProjection(glm::vec3 focus, glm::vec3 direction, int mapTexels);

// The texels of a square shadow map of mapTexels a side that an object may cover under the
// orthographic `lightViewProjection`: the square around its bounding sphere (centre in
// model space, placed by modelMatrix; radius grown by the matrix's largest scale), a texel
// of margin round it, not clamped to the map.
PixelBox shadowFootprint(const glm::mat4& lightViewProjection, const glm::mat4& modelMatrix, glm::vec3 center,
                         float radius, int mapTexels);

// The scene's one directional light; the Game sets its values once and the update uploads
// them to the lit program every frame under the same names.
class DirectionalLight {
public:
    DirectionalLight();
    virtual ~DirectionalLight() = default;

    glm::vec3 Color;        // RGB, 0..1
    float AmbientIntensity; // factor of the ambient term
    glm::vec3 Direction;    // where the light shines to, world space, not normalised
    float DiffuseIntensity; // factor of the diffuse term
};

} // namespace vantor::scene
