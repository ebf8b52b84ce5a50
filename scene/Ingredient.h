#pragma once
#include "scene/SceneObject.h"

class btRigidBody; class btDefaultMotionState; class btSphereShape;

namespace vantor::scene {

class SimpleModelTexNon;

// A piece of fruit the ball rolls through and collects for points. Its body is a static
// sphere without contact response: contacts are reported, the ball is not deflected.
// Once collected it is hidden and reports no further contact until a replay.
class Ingredient : public SceneObject {
public:
    // `model` must outlive the item.
    Ingredient(SimpleModelTexNon* model, const glm::mat4& modelMatrix, int type);
    // The body must be out of the physics world already.
    ~Ingredient() override;

    // Spins a quarter turn a second while on the course.
    void update(double deltaTime, GameState* state) override;
    void draw(unsigned int levelOfDetail) override;
    void collideWith(collision::ICollision* other) override;

    btRigidBody* rigidBody;            // owned; static sphere sensor, user pointer = this item
    int type;                          // 10 banana, 11 apple
    float rise;                        // world units above the hero while the collected item floats away
    float scale;                       // size factor of the collected-item animation
    float spinAngle;                   // radians; spin of the collected-item animation
    float alpha;                       // opacity of the collected-item animation, uploaded as "alpha"
    glm::vec3 position;                // world; set by level building, used for the level of detail
    SimpleModelTexNon* model;          // not owned: the prototype it draws with
    btDefaultMotionState* motionState; // owned; identity
    btSphereShape* collisionShape;     // owned; radius 0.3
    bool collected;                    // set by the hero; cleared by a replay
    glm::mat4 initialModelMatrix;      // restored into modelMatrix by a replay
};

} // namespace vantor::scene
