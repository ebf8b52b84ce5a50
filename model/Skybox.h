#pragma once
#include "model/MeshEntry.h"

#include <glm/mat4x4.hpp>
#include <string>

namespace vantor::util { class Texture; }
namespace vantor::shadercode { class Shader; }

namespace vantor::scene {

struct ModelFile;

// The textured box around the scene, drawn first in the scene pass with the unlit basic
// program. It writes no depth, so everything drawn after it covers it. Not a scene object:
// no culling, collisions or shadow and glow passes.
class Skybox {
public:
    // The program must be linked already. `file` is a model file read with the sky rules;
    // an unreadable one leaves a box that draws nothing.
    Skybox(const glm::mat4& modelMatrix, shadercode::Shader* shader, ModelFile file);
    // The same from the model file `fileName`, read now.
    Skybox(const glm::mat4& modelMatrix, shadercode::Shader* shader, const std::string& fileName);
    virtual ~Skybox();

    // The caller has made the basic program current and set "projectionMatrix" and
    // "modelMatrix". Leaves depth writes on and face culling enabled.
    virtual void draw();

    glm::mat4 modelMatrix;      // stored only: the update centres the box on the eye
    shadercode::Shader* shader; // not owned: the basic program
    MeshEntry mesh;             // position and uv buffers, indices, one vertex array
    util::Texture* texture;     // owned; the sky image, or white

private:
    bool loadModel(ModelFile& file);
};

} // namespace vantor::scene
