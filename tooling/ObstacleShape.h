#pragma once
#include <glm/vec3.hpp>
#include <string>
#include <vector>

namespace vantor::scene {

// The collision shape of an obstacle model as the game keeps it: the corners of the last
// mesh of the model file (the model's bounding box), in the model's own coordinates. The
// game places them in world space by the obstacle's matrix (placeCollisionVertex).
class ObstacleShape {
public:
    // Reads the last mesh of a model file with the game's import. False, with `error`
    // set, when the file cannot be read or holds no mesh.
    static bool load(const std::string& fileName, ObstacleShape& shape, std::string& error);
    bool empty() const { return vertices.empty(); }

    std::vector<glm::vec3> vertices; // model coordinates
};

} // namespace vantor::scene
