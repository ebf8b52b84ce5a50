#include "course/ObstacleShape.h"

namespace vantor::scene {

ObstacleShape ObstacleShape::fromCollisionMesh(const std::vector<glm::mat4>& vertices)
{
    ObstacleShape shape;
    for (const glm::mat4& vertex : vertices)
        shape.vertices.emplace_back(vertex[3]);
    return shape;
}

} // namespace vantor::scene
