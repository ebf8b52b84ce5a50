#pragma once
#include "model/MeshEntry.h"
#include "scene/SceneObject.h"

#include <string>
#include <vector>

namespace vantor::util { class Texture; }
namespace vantor::shadercode { class Shader; }

namespace vantor::scene {

struct ModelFile;

// A textured, normal-mapped model read from one COLLADA file: the hero, the obstacles and
// the fruit. All meshes but the last are levels of detail of the same object (0 finest);
// the last is a coarse box kept only as the collision description. Loaded once as a
// prototype and shared by every object that looks alike.
class SimpleModelTexNon : public SceneObject {
public:
    using MeshEntry = scene::MeshEntry;

    // The programs must be linked already: their attribute locations are read here. `file`
    // is a model file read with the textured rules; the model takes its parts. An
    // unreadable file leaves a model without meshes or textures that draws nothing.
    SimpleModelTexNon(const glm::mat4& modelMatrix, shadercode::Shader* shader, shadercode::CustomShader* shadowShader,
                      shadercode::CustomShader* glowShader, ModelFile file);
    // The same from the model file `fileName`, read now.
    SimpleModelTexNon(const glm::mat4& modelMatrix, shadercode::Shader* shader, shadercode::CustomShader* shadowShader,
                      shadercode::CustomShader* glowShader, const std::string& fileName);
    ~SimpleModelTexNon() override;

    void update(double deltaTime, GameState* state) override;
    // Draws meshes[levelOfDetail] on the path of the running pass; a level without a
    // record draws nothing.
    void draw(unsigned int levelOfDetail) override;

    std::vector<glm::mat4> collisionVertices;  // one translation matrix per vertex of the box mesh
    std::vector<glm::vec3> collisionTriangles; // three vertex indices a face of the box mesh, as floats
    shadercode::Shader* shader;                // not owned: the lit, normal-mapped program
    std::vector<MeshEntry> meshes;             // one per level of detail, 0 finest
    std::vector<util::Texture*> textures;      // owned; one slot per material: 0 diffuse, 1 normal map

private:
    bool loadModel(ModelFile& file);
};

} // namespace vantor::scene
