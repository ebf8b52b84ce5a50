#pragma once
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <vector>

namespace vantor::scene {

// The collision shape of an obstacle model as the game keeps it: the corners of the last
// mesh of the model file (the model's bounding box), in the model's own coordinates. The
// game places them in world space by the obstacle's matrix (placeCollisionVertex).
class ObstacleShape {
public:
    // The shape of an obstacle's collision description (vertex matrices holding positions
    // in their fourth column). The game passes its obstacle prototypes' descriptions, the
    // checker those it reads from the model files.
    static ObstacleShape fromCollisionMesh(const std::vector<glm::mat4>& vertices);
    bool empty() const { return vertices.empty(); }

    std::vector<glm::vec3> vertices; // model coordinates
};

} // namespace vantor::scene
