#pragma once
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <vector>

namespace vantor::scene {

// The post-processing the game's import asks for when it reads walls, obstacles and fruit.
const unsigned int gameModelImportFlags = 0x80204B;

// One mesh of a model file, read with the game's import but without drawing anything, in
// the form the game keeps a model's collision description.
struct ModelFileMesh {
    std::vector<glm::mat4> collisionVertices;  // one translation matrix per vertex, model coordinates
    std::vector<glm::vec3> collisionTriangles; // three vertex indices a face, as floats; faces of
                                               // fewer corners left out
};

// A wall model is its first mesh; an obstacle collides with its last one.
enum class WhichMesh { First, Last };

// False, with `error` set, when the file cannot be read or holds no mesh.
bool readModelFileMesh(const std::string& fileName, WhichMesh which, ModelFileMesh& mesh, std::string& error);

} // namespace vantor::scene
