#include "scene/Ingredient.h"

#include "model/SimpleModelTexNon.h"

#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>

namespace vantor::scene {

namespace {
const float quarterTurn = 1.5707964f;
}

Ingredient::Ingredient(SimpleModelTexNon* model, const glm::mat4& modelMatrix, int type)
    : SceneObject(modelMatrix), rigidBody(nullptr), type(type), rise(0.0f), scale(1.0f), spinAngle(0.0f),
      alpha(1.0f), position(0.0f), model(model), motionState(nullptr), collisionShape(nullptr), collected(false),
      initialModelMatrix(modelMatrix)
{
    collisionShape = new btSphereShape(0.3f);
    motionState = new btDefaultMotionState(btTransform(btQuaternion(0, 0, 0, 1), btVector3(0, 0, 0)));
    btVector3 inertia(0, 0, 0);
    collisionShape->calculateLocalInertia(0.0f, inertia);
    btRigidBody::btRigidBodyConstructionInfo info(0.0f, motionState, collisionShape, inertia);
    rigidBody = new btRigidBody(info);
    rigidBody->setCollisionFlags(rigidBody->getCollisionFlags() | btCollisionObject::CF_NO_CONTACT_RESPONSE);
    rigidBody->setUserPointer(this);
    const glm::vec4& origin = modelMatrix[3];
    rigidBody->getWorldTransform().setOrigin(btVector3(origin.x, origin.y, origin.z));

    boundingSphereCenter = model->boundingSphereCenter;
    boundingSphereRadius = model->boundingSphereRadius;
}

Ingredient::~Ingredient()
{
    delete rigidBody;
    delete collisionShape;
    delete motionState;
}

void Ingredient::update(double deltaTime, GameState* state)
{
    if (collected)
        return;
    model->update(deltaTime, state);
    modelMatrix = glm::rotate(modelMatrix, float(deltaTime) * quarterTurn, glm::vec3(0.0f, 1.0f, 0.0f));
}

void Ingredient::draw(unsigned int levelOfDetail)
{
    if (!collected && visible)
        model->draw(levelOfDetail);
}

void Ingredient::collideWith(collision::ICollision* other)
{
    if (!collected)
        other->onCollisionWithIngredient(this);
}

} // namespace vantor::scene
