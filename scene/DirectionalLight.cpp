#include "scene/DirectionalLight.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

namespace vantor::scene {

glm::mat4 shadowViewProjection(glm::vec3 focus, glm::vec3 direction, int mapTexels)
{
    const float half = shadowBoxSize * 0.5f;
    const float texel = shadowBoxSize / float(mapTexels);
    const glm::vec3 up(0.0f, 1.0f, 0.0f);
    // The light's view turns the world the same way wherever the box stands: across it (x
    // and y of the turned focus) the centre goes to the nearest whole texel.
    const glm::mat3 turn(glm::lookAt(glm::vec3(0.0f), direction, up));
    glm::vec3 turned = turn * focus;
    turned.x = std::round(turned.x / texel) * texel;
    turned.y = std::round(turned.y / texel) * texel;
    const glm::vec3 centre = glm::transpose(turn) * turned;
    // The eye stands toward the light from the centre by the direction times half the
    // box's side over 10 (7 for the 140-unit box); the box reaches half its side from the
    // eye each way, across the light and along it.
    const glm::vec3 eye = centre + direction * (half / -10.0f);
    return glm::ortho(-half, half, -half, half, -half, half) * glm::lookAt(eye, centre, up);
}

DirectionalLight::DirectionalLight()
    : Color(0.0f), AmbientIntensity(0.0f), Direction(0.0f), DiffuseIntensity(0.0f)
{
}

} // namespace vantor::scene
