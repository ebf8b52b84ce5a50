#include "scene/Obstacle.h"

#include "model/CollisionMesh.h"
#include "model/SimpleModelTexNon.h"

namespace vantor::scene {

Obstacle::Obstacle(SimpleModelTexNon* model, const glm::mat4& modelMatrix, int type)
    : SceneObject(modelMatrix), rigidBody(nullptr), type(type), model(model), triangleMesh(nullptr),
      collisionShape(nullptr), motionState(nullptr)
{
    createStaticMeshBody(model->collisionVertices, model->collisionTriangles, modelMatrix, this, triangleMesh,
                         collisionShape, motionState, rigidBody);
    boundingSphereCenter = model->boundingSphereCenter;
    boundingSphereRadius = model->boundingSphereRadius;
}

Obstacle::~Obstacle()
{
    destroyStaticMeshBody(triangleMesh, collisionShape, motionState, rigidBody);
}

void Obstacle::update(double deltaTime, GameState* state)
{
    model->update(deltaTime, state);
}

void Obstacle::draw(unsigned int levelOfDetail)
{
    if (visible)
        model->draw(levelOfDetail);
}

void Obstacle::collideWith(collision::ICollision* other)
{
    other->onCollisionWithObstacle(this);
}

} // namespace vantor::scene
