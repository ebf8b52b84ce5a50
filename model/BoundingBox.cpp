#include "model/BoundingBox.h"

#include <glm/common.hpp>
#include <glm/geometric.hpp>

namespace vantor::scene {

void BoundingBox::widen(const glm::vec3& point)
{
    min = glm::min(min, point);
    max = glm::max(max, point);
}

glm::vec3 BoundingBox::sphereCenter() const
{
    return (min + max) * 0.5f;
}

float BoundingBox::sphereRadius() const
{
    return glm::length(sphereCenter() - min);
}

} // namespace vantor::scene
