#include "model/MeshDraw.h"

#include "render/CustomShader.h"
#include "render/Texture.h"

namespace vantor::scene {

namespace {

void bindSlot(const std::vector<util::Texture*>& textures, size_t slot, GLuint program, const char* sampler)
{
    const util::Texture* texture = slot < textures.size() ? textures[slot] : nullptr;
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(slot));
    glBindTexture(GL_TEXTURE_2D, texture != nullptr ? texture->textureObject : 0);
    glUniform1i(glGetUniformLocation(program, sampler), static_cast<GLint>(slot));
}

} // namespace

void drawMesh(const MeshEntry& mesh, GLuint ownProgram, shadercode::CustomShader* shadow,
              shadercode::CustomShader* glow, const std::vector<util::Texture*>& textures)
{
    if (glow != nullptr && glow->inUse) {
        glBindVertexArray(mesh.glowVertexArray);
        bindSlot(textures, 0, glow->program, "colorTexture");
    } else if (shadow != nullptr && shadow->inUse) {
        glBindVertexArray(mesh.shadowVertexArray);
    } else {
        glBindVertexArray(mesh.vertexArray);
        bindSlot(textures, 0, ownProgram, "colorTexture");
        bindSlot(textures, 1, ownProgram, "normalTexture");
    }
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.numIndices), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

} // namespace vantor::scene
