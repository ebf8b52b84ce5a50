#pragma once
#include <glm/vec3.hpp>
#include <string>
#include <vector>

namespace vantor::scene {

// The post-processing the game's import asks for when it reads walls, obstacles and fruit.
const unsigned int gameModelImportFlags = 0x80204B;

// One mesh of a model file, read with the game's import but without drawing anything.
struct ModelFileMesh {
    std::vector<glm::vec3> positions;  // model coordinates
    std::vector<glm::uvec3> triangles; // indices into positions; faces of other sizes are left out
};

// A wall model is its first mesh; an obstacle collides with its last one.
enum class WhichMesh { First, Last };

// False, with `error` set, when the file cannot be read or holds no mesh.
bool readModelFileMesh(const std::string& fileName, WhichMesh which, ModelFileMesh& mesh, std::string& error);

} // namespace vantor::scene
