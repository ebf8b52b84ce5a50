#include "model/WallPiece.h"

#include "model/CollisionMesh.h"
#include "model/MeshDraw.h"
#include "model/ModelFile.h"
#include "model/ModelImport.h"
#include "render/Shader.h"
#include "render/Texture.h"

#include <cassert>

namespace vantor::scene {

WallPiece::WallPiece(const glm::mat4& modelMatrix, shadercode::Shader* shader, shadercode::CustomShader* shadowShader,
                     shadercode::CustomShader* glowShader, ModelFile file)
    : SceneObject(modelMatrix), rigidBody(nullptr), shader(shader), prototype(nullptr), triangleMesh(nullptr),
      collisionShape(nullptr), motionState(nullptr)
{
    this->shadowShader = shadowShader;
    this->glowShader = glowShader;
    loadModel(file);
    createPhysicsBody(collisionVertices, collisionTriangles, modelMatrix);
}

WallPiece::WallPiece(const glm::mat4& modelMatrix, shadercode::Shader* shader, shadercode::CustomShader* shadowShader,
                     shadercode::CustomShader* glowShader, const std::string& fileName)
    : WallPiece(modelMatrix, shader, shadowShader, glowShader, readModelFile(fileName, ModelKind::Wall))
{
}

WallPiece::WallPiece(WallPiece* prototype, const glm::mat4& modelMatrix)
    : SceneObject(modelMatrix), rigidBody(nullptr), shader(prototype->shader), prototype(prototype),
      triangleMesh(nullptr), collisionShape(nullptr), motionState(nullptr)
{
    shadowShader = prototype->shadowShader;
    glowShader = prototype->glowShader;
    boundingSphereCenter = prototype->boundingSphereCenter;
    boundingSphereRadius = prototype->boundingSphereRadius;
    createPhysicsBody(prototype->collisionVertices, prototype->collisionTriangles, modelMatrix);
}

WallPiece::~WallPiece()
{
    for (util::Texture* texture : textures)
        delete texture;
    // `mesh` deletes its own GL objects; an instance's record holds none.
    destroyStaticMeshBody(triangleMesh, collisionShape, motionState, rigidBody);
}

bool WallPiece::loadModel(ModelFile& file)
{
    assert(file.kind == ModelKind::Wall && "read with the wall rules");
    ImportedModel model;
    if (!importModel(file, {shader, shadowShader, glowShader}, model))
        return false;
    if (!model.meshes.empty())
        mesh = std::move(model.meshes[0]);
    takeImportedParts(model, *this);
    return true;
}

void WallPiece::createPhysicsBody(const std::vector<glm::mat4>& vertices, const std::vector<glm::vec3>& triangles,
                                  const glm::mat4& modelMatrix)
{
    createStaticMeshBody(vertices, triangles, modelMatrix, this, triangleMesh, collisionShape, motionState, rigidBody);
}

void WallPiece::update(double, GameState*)
{
}

void WallPiece::draw(unsigned int)
{
    if (!visible)
        return;
    const WallPiece* resources = prototype != nullptr ? prototype : this;
    if (resources->mesh.numIndices == 0)
        return;
    drawMesh(resources->mesh, shader->program, shadowShader, glowShader, resources->textures);
}

void WallPiece::collideWith(collision::ICollision* other)
{
    other->onCollisionWithWallPiece(this);
}

} // namespace vantor::scene
