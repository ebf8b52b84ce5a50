#include "scene/Frustum.h"

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

} // namespace vantor::scene
