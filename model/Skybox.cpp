#include "model/Skybox.h"

#include "model/ModelFile.h"
#include "model/ModelImport.h"
#include "render/Shader.h"
#include "render/Texture.h"

#include <cassert>

namespace vantor::scene {

Skybox::Skybox(const glm::mat4& modelMatrix, shadercode::Shader* shader, ModelFile file)
    : modelMatrix(modelMatrix), shader(shader), texture(nullptr)
{
    loadModel(file);
}

Skybox::Skybox(const glm::mat4& modelMatrix, shadercode::Shader* shader, const std::string& fileName)
    : Skybox(modelMatrix, shader, readModelFile(fileName, ModelKind::Sky))
{
}

Skybox::~Skybox()
{
    delete texture;
}

bool Skybox::loadModel(ModelFile& file)
{
    assert(file.kind == ModelKind::Sky && "read with the sky rules");
    ImportedModel model;
    if (!importModel(file, {shader, nullptr, nullptr}, model))
        return false;
    if (!model.meshes.empty())
        mesh = std::move(model.meshes[0]);
    // The sky keeps one image; only slot 0 is ever written for it.
    if (!model.textures.empty())
        texture = model.textures[0];
    for (size_t slot = 1; slot < model.textures.size(); ++slot)
        delete model.textures[slot];
    return true;
}

void Skybox::draw()
{
    if (mesh.numIndices == 0)
        return;
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glBindVertexArray(mesh.vertexArray);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture != nullptr ? texture->textureObject : 0);
    glUniform1i(glGetUniformLocation(shader->program, "colorTexture"), 0);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.numIndices), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
    glDepthMask(GL_TRUE);
    glEnable(GL_CULL_FACE);
}

} // namespace vantor::scene
