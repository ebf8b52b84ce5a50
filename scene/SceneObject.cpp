#include "scene/SceneObject.h"

namespace vantor::scene {

SceneObject::SceneObject(const glm::mat4& modelMatrix)
    : modelMatrix(modelMatrix), shadowShader(nullptr), glowShader(nullptr),
      boundingSphereCenter(0.0f), boundingSphereRadius(0.0f), visible(true)
{
}

void SceneObject::collideWith(collision::ICollision* other)
{
    other->onCollisionWithSceneObject(this);
}

} // namespace vantor::scene
