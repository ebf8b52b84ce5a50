#pragma once
#include <glm/vec3.hpp>

namespace vantor::scene {

// The running box of a model import. It starts at the origin, so the model origin always
// lies inside it, and the bounding sphere is the sphere around the box.
struct BoundingBox {
    glm::vec3 min{0.0f}; // model space
    glm::vec3 max{0.0f}; // model space

    void widen(const glm::vec3& point);
    glm::vec3 sphereCenter() const;  // centre of the box
    float sphereRadius() const;      // half the box diagonal
};

} // namespace vantor::scene
