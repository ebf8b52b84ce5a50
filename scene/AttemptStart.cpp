#include "scene/AttemptStart.h"

#include <glm/gtc/matrix_transform.hpp>

namespace vantor::scene {

glm::vec3 followCameraPosition(glm::vec3 heroPosition, float horizontalAngle)
{
    const glm::mat4 yaw = glm::rotate(glm::mat4(1.0f), horizontalAngle, glm::vec3(0.0f, 1.0f, 0.0f));
    return heroPosition + glm::vec3(yaw * glm::vec4(0.0f, 2.0f, 5.0f, 0.0f));
}

} // namespace vantor::scene
