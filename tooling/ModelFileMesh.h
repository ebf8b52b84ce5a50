#pragma once
#include "model/ModelKind.h"

#include <glm/vec3.hpp>
#include <string>
#include <vector>

namespace vantor::scene {

// The mesh of a model file that the game collides with, as positions and index triangles.
struct ModelFileMesh {
    std::vector<glm::vec3> positions;  // model coordinates
    std::vector<glm::uvec3> triangles; // indices into positions
};

// Reads the collision description of `fileName` as the game reads it with the rules of
// `kind` (a wall collides with its drawn mesh, an obstacle with its last one), decoding no
// texture. False, with `error` set, when the file cannot be read or holds no mesh.
bool readCollisionMesh(const std::string& fileName, ModelKind kind, ModelFileMesh& mesh, std::string& error);

} // namespace vantor::scene
