#include "scene/DirectionalLight.h"

#include "scene/BoundingSphere.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
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

PixelBox shadowFootprint(const glm::mat4& lightViewProjection, const glm::mat4& modelMatrix, glm::vec3 center,
                         float radius, int mapTexels)
{
    const glm::mat4 toMap = lightViewProjection * modelMatrix;
    const glm::vec4 clip = toMap * glm::vec4(center, 1.0f);
    const float sphereRadius = worldRadius(modelMatrix, radius);
    if (!std::isfinite(clip.x) || !std::isfinite(clip.y) || !std::isfinite(sphereRadius))
        return {0, 0, mapTexels, mapTexels}; // nothing known: all of it
    // An orthographic projection stretches every direction alike up to each row's length:
    // the sphere's reach across the map in clip units.
    const float reachX = sphereRadius * glm::length(glm::vec3(lightViewProjection[0][0], lightViewProjection[1][0],
                                                             lightViewProjection[2][0]));
    const float reachY = sphereRadius * glm::length(glm::vec3(lightViewProjection[0][1], lightViewProjection[1][1],
                                                             lightViewProjection[2][1]));
    auto toTexel = [mapTexels](float clipCoordinate) { return (clipCoordinate * 0.5f + 0.5f) * float(mapTexels); };
    // Far outside the map a float does not fit an int: such an object covers nothing of it.
    const float limit = 4.0f * float(mapTexels);
    auto clampedFloor = [limit](float t) { return int(std::floor(std::clamp(t, -limit, limit))) - 1; };
    auto clampedCeil = [limit](float t) { return int(std::ceil(std::clamp(t, -limit, limit))) + 1; };
    return {clampedFloor(toTexel(clip.x - reachX)), clampedFloor(toTexel(clip.y - reachY)),
            clampedCeil(toTexel(clip.x + reachX)), clampedCeil(toTexel(clip.y + reachY))};
}

DirectionalLight::DirectionalLight()
    : Color(0.0f), AmbientIntensity(0.0f), Direction(0.0f), DiffuseIntensity(0.0f)
{
}

} // namespace vantor::scene
