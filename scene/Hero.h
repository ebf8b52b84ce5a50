#pragma once
#include "model/SimpleModelTexNon.h"

#include <LinearMath/btVector3.h>

struct PlayerControls;
class btRigidBody; class btSphereShape; class btDefaultMotionState;

namespace vantor::scene {

// The ball the player steers: the hero model drawn at half size on a dynamic sphere of
// radius 0.5. The keys W, S, A, D, the pad's left stick and its D-pad push it relative to
// the camera, and Space or the pad's A jumps; none of them acts until it has touched a wall
// piece since its last jump.
class Hero : public SimpleModelTexNon {
public:
    // `model` is the hero's model file, read with the textured rules.
    Hero(shadercode::Shader* shader, shadercode::CustomShader* shadowShader, shadercode::CustomShader* glowShader,
         ModelFile model);
    // The body must be out of the physics world already.
    ~Hero() override;

    // Copies the body's pose into the model matrix and the state. deltaTime is not used.
    void update(double deltaTime, GameState* state) override;
    // Turns what the player asks this frame into impulses on the body, relative to the
    // camera as the state given to the last update holds it. deltaTime in seconds.
    void steer(const PlayerControls& controls, double deltaTime);
    // Back to the start position at rest; the ball keeps its orientation.
    void reset();

    void onCollisionWithWallPiece(WallPiece* wall) override;
    void onCollisionWithObstacle(Obstacle* obstacle) override;
    void onCollisionWithIngredient(Ingredient* ingredient) override;
    void collideWith(collision::ICollision* other) override;

    btRigidBody* rigidBody;            // owned; dynamic, mass 20, user pointer = the hero
    btSphereShape* collisionShape;     // owned; radius 0.5
    btDefaultMotionState* motionState; // owned
    btVector3 startPosition;           // world; where the ball is dropped at start and replay
    bool onWall;                       // touched a wall piece since the last jump
    btVector3 position;                // world; the ball's centre as read by the last update
    GameState* state;                  // not owned: the state given to the last update
};

} // namespace vantor::scene
