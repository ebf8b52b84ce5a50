#pragma once
#include "scene/SceneObject.h"

class btRigidBody; class btTriangleMesh; class btCollisionShape; class btDefaultMotionState;

namespace vantor::scene {

class SimpleModelTexNon;

// Something on the course the ball bumps into: a light instance of a shared prototype
// model with its own static triangle-mesh body, placed where the obstacle is drawn.
class Obstacle : public SceneObject {
public:
    // The body's triangles come from the model's collision description, placed by
    // modelMatrix. `model` must outlive the obstacle.
    Obstacle(SimpleModelTexNon* model, const glm::mat4& modelMatrix, int type);
    // The body must be out of the physics world already.
    ~Obstacle() override;

    void update(double deltaTime, GameState* state) override;
    void draw(unsigned int levelOfDetail) override;
    void collideWith(collision::ICollision* other) override;

    btRigidBody* rigidBody;            // owned; static, user pointer = this obstacle
    int type;                          // 1 roller, 2 fence, 3 wooden barricade, 4 sand heap
    SimpleModelTexNon* model;          // not owned: the prototype it draws with
    btTriangleMesh* triangleMesh;      // owned; the triangles in world space
    btCollisionShape* collisionShape;  // owned; over triangleMesh (empty shape without triangles)
    btDefaultMotionState* motionState; // owned; identity
};

} // namespace vantor::scene
