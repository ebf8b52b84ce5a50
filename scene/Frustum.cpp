#include "scene/Frustum.h"

#include "scene/BoundingSphere.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>

namespace vantor::scene {

FrustumPlanes computeFrustumPlanes(const glm::mat4& m)
{
    auto row = [&m](int k) { return glm::vec4(m[0][k], m[1][k], m[2][k], m[3][k]); };
    FrustumPlanes planes = {row(3) - row(0), row(3) + row(0), row(3) - row(1),
                            row(3) + row(1), row(3) - row(2), row(3) + row(2)};
    for (glm::vec4& plane : planes)
        plane /= glm::length(glm::vec3(plane));
    return planes;
}

bool sphereInFrustum(const FrustumPlanes& planes, const glm::mat4& modelMatrix, const glm::vec3& center, float radius)
{
    const glm::vec4 p = modelMatrix * glm::vec4(center, 1.0f);
    for (const glm::vec4& plane : planes) {
        if (glm::dot(plane, p) + radius < 0.0f)
            return false;
    }
    return true;
}

PixelBox screenFootprint(const glm::mat4& viewProjection, const glm::mat4& modelMatrix, const glm::vec3& center,
                         float radius, int width, int height)
{
    const PixelBox whole{0, 0, width, height};
    const glm::vec3 worldCenter(modelMatrix * glm::vec4(center, 1.0f));
    const float sphereRadius = worldRadius(modelMatrix, radius);
    // A little in front of the eye: w is the distance along the view there, and a corner
    // closer than this would project anywhere.
    const float nearest = 1e-3f;
    float left = INFINITY, bottom = INFINITY, right = -INFINITY, top = -INFINITY;
    int behind = 0;
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 offset((corner & 1) ? sphereRadius : -sphereRadius, (corner & 2) ? sphereRadius : -sphereRadius,
                               (corner & 4) ? sphereRadius : -sphereRadius);
        const glm::vec4 clip = viewProjection * glm::vec4(worldCenter + offset, 1.0f);
        if (!std::isfinite(clip.x) || !std::isfinite(clip.y) || !std::isfinite(clip.w))
            return whole;
        if (clip.w <= nearest) {
            ++behind;
            continue;
        }
        left = std::min(left, clip.x / clip.w);
        right = std::max(right, clip.x / clip.w);
        bottom = std::min(bottom, clip.y / clip.w);
        top = std::max(top, clip.y / clip.w);
    }
    if (behind == 8)
        return {}; // all of it behind the eye: nothing to see
    if (behind > 0)
        return whole;
    // Far outside the target a float does not fit an int: clamp well beyond its edges.
    auto toPixel = [](float ndc, int side) { return (std::clamp(ndc, -4.0f, 4.0f) * 0.5f + 0.5f) * float(side); };
    return {int(std::floor(toPixel(left, width))) - 1, int(std::floor(toPixel(bottom, height))) - 1,
            int(std::ceil(toPixel(right, width))) + 1, int(std::ceil(toPixel(top, height))) + 1};
}

} // namespace vantor::scene
