#pragma once
#include <glm/vec3.hpp>

namespace vantor::scene {

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
