#include "model/SimpleModelTexNon.h"

#include "model/MeshDraw.h"
#include "model/ModelFile.h"
#include "model/ModelImport.h"
#include "render/Shader.h"
#include "render/Texture.h"

#include <cassert>

namespace vantor::scene {

SimpleModelTexNon::SimpleModelTexNon(const glm::mat4& modelMatrix, shadercode::Shader* shader,
                                     shadercode::CustomShader* shadowShader, shadercode::CustomShader* glowShader,
                                     ModelFile file)
    : SceneObject(modelMatrix), shader(shader)
{
    this->shadowShader = shadowShader;
    this->glowShader = glowShader;
    loadModel(file);
}

SimpleModelTexNon::SimpleModelTexNon(const glm::mat4& modelMatrix, shadercode::Shader* shader,
                                     shadercode::CustomShader* shadowShader, shadercode::CustomShader* glowShader,
                                     const std::string& fileName)
    : SimpleModelTexNon(modelMatrix, shader, shadowShader, glowShader, readModelFile(fileName, ModelKind::Textured))
{
}

SimpleModelTexNon::~SimpleModelTexNon()
{
    for (util::Texture* texture : textures)
        delete texture;
    // The records delete their own buffers and vertex arrays.
}

bool SimpleModelTexNon::loadModel(ModelFile& file)
{
    assert(file.kind == ModelKind::Textured && "read with the textured rules");
    ImportedModel model;
    if (!importModel(file, {shader, shadowShader, glowShader}, model))
        return false;
    meshes = std::move(model.meshes);
    takeImportedParts(model, *this);
    return true;
}

void SimpleModelTexNon::update(double, GameState*)
{
}

void SimpleModelTexNon::draw(unsigned int levelOfDetail)
{
    if (!visible || levelOfDetail >= meshes.size())
        return;
    drawMesh(meshes[levelOfDetail], shader->program, shadowShader, glowShader, textures);
}

} // namespace vantor::scene
