#pragma once
#include <algorithm>
#include <glm/geometric.hpp>
#include <glm/mat4x4.hpp>

namespace vantor::scene {

// A bounding sphere's radius once `modelMatrix` places it in the world: grown by the
// matrix's largest scale, so that the sphere still holds the object however it is stretched.
inline float worldRadius(const glm::mat4& modelMatrix, float radius)
{
    return radius * std::max({glm::length(glm::vec3(modelMatrix[0])), glm::length(glm::vec3(modelMatrix[1])),
                              glm::length(glm::vec3(modelMatrix[2]))});
}

} // namespace vantor::scene
