#include "scene/Hero.h"

#include "model/ModelFile.h"
#include "platform/PlayerControls.h"
#include "platform/SoundHandles.h"
#include "scene/AttemptStart.h"
#include "scene/CollectedIngredients.h"
#include "scene/GameState.h"
#include "scene/Ingredient.h"
#include "scene/Obstacle.h"

#include <btBulletDynamicsCommon.h>
#include <cassert>
#include <cmath>
#include <iostream>

namespace vantor::scene {

namespace {
const glm::mat4 identity(1.0f);
constexpr btScalar mass = 20.0f;
constexpr float pushStrength = 200.0f; // impulse a second of holding a key
} // namespace

Hero::Hero(shadercode::Shader* shader, shadercode::CustomShader* shadowShader, shadercode::CustomShader* glowShader,
           ModelFile model)
    : SimpleModelTexNon(identity, shader, shadowShader, glowShader, std::move(model)),
      rigidBody(nullptr), collisionShape(nullptr), motionState(nullptr),
      startPosition(heroStartPosition.x, heroStartPosition.y, heroStartPosition.z),
      onWall(false), position(0.0f, 0.0f, 0.0f), state(nullptr)
{
    collisionShape = new btSphereShape(heroRadius);
    motionState = new btDefaultMotionState(btTransform(btQuaternion(0, 0, 0, 1), startPosition));
    btVector3 inertia(0, 0, 0);
    collisionShape->calculateLocalInertia(mass, inertia);
    btRigidBody::btRigidBodyConstructionInfo info(mass, motionState, collisionShape, inertia);
    info.m_restitution = 1.5f;
    rigidBody = new btRigidBody(info);
    rigidBody->setActivationState(DISABLE_DEACTIVATION);
    rigidBody->setRollingFriction(1.0f);
    rigidBody->setUserPointer(static_cast<SceneObject*>(this));
}

Hero::~Hero()
{
    delete rigidBody;
    delete collisionShape;
    delete motionState;
}

void Hero::update(double, GameState* gameState)
{
    state = gameState;

    btTransform transform;
    motionState->getWorldTransform(transform);
    position = transform.getOrigin();
    state->heroPosition = glm::vec3(position.x(), position.y(), position.z());

    // Translation x rotation x half scale: the unit ball model drawn at radius 0.5.
    const btMatrix3x3& rotation = transform.getBasis();
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row)
            modelMatrix[column][row] = 0.5f * rotation[row][column];
    modelMatrix[0][3] = modelMatrix[1][3] = modelMatrix[2][3] = 0.0f;
    modelMatrix[3] = glm::vec4(position.x(), position.y(), position.z(), 1.0f);
}

void Hero::steer(const PlayerControls& controls, double deltaTime)
{
    assert(state != nullptr && "the hero is steered after its update");
    // Pushes are relative to the camera: forward away from it, right to its right.
    float dt = float(deltaTime);
    const glm::vec3& view = state->viewDirection;
    const float quarterTurn = 1.5707964f;
    const float c = std::cos(quarterTurn), s = std::sin(quarterTurn);
    btVector3 sideways(view.x * c + view.z * s, 0.0f, view.z * c - view.x * s);

    // Keys and pad together; a half-deflected stick pushes half as hard as a key.
    const glm::vec2 push = controls.push;
    if (onWall && push.y != 0.0f)
        rigidBody->applyCentralImpulse(btVector3(-pushStrength * dt * push.y * view.x, 0.0f,
                                                 -pushStrength * dt * push.y * view.z));
    if (onWall && push.x != 0.0f)
        rigidBody->applyCentralImpulse(pushStrength * dt * push.x * sideways);
    if (onWall && controls.jump) {
        onWall = false;
        rigidBody->applyCentralImpulse(btVector3(0.0f, pushStrength * mass * dt, 0.0f));
    }
}

void Hero::reset()
{
    btTransform transform(rigidBody->getCenterOfMassTransform().getRotation(), startPosition);
    rigidBody->setCenterOfMassTransform(transform);
    // NOTE: update() reads the motion state, which the physics step refreshes only after
    // the next update; without this the first frame after a replay still sees the ball
    // where it was (at the goal, which would be won again at once).
    motionState->setWorldTransform(transform);
    rigidBody->setLinearVelocity(btVector3(0, 0, 0));
    rigidBody->setAngularVelocity(btVector3(0, 0, 0));
}

void Hero::onCollisionWithWallPiece(WallPiece*)
{
    onWall = true;
}

void Hero::onCollisionWithObstacle(Obstacle* obstacle)
{
    std::cout << "Hero collides with Obstacle of type: " << obstacle->type << std::endl;
}

void Hero::onCollisionWithIngredient(Ingredient* ingredient)
{
    ingredient->collected = true;
    // NOTE: a fruit can be touched before the hero's first update (free camera switched on
    // at once): there is no attempt to score for yet, but the fruit is still collected.
    if (state == nullptr)
        return;
    std::cout << "Hero collected object: ";
    int points = 0;
    if (ingredient->type == 10) {
        std::cout << "Banana + 10 Points";
        points = 10;
    } else if (ingredient->type == 11) {
        std::cout << "Apple + 15 Points";
        points = 15;
    } else {
        std::cout << "Undefined object." << ingredient->type << std::endl;
        return;
    }
    state->score += points;
    std::cout << " (Total: " << state->score << ")" << std::endl;
    collectedIngredients.push_back(ingredient);
    if (fmodSystem != nullptr)
        fmodSystem->playSound(FMOD_CHANNEL_FREE, collectSound, false, nullptr);
}

void Hero::collideWith(collision::ICollision* other)
{
    other->onCollisionWithHero(this);
}

} // namespace vantor::scene
