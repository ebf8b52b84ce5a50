#include "scene/Camera.h"

#include "platform/Input.h"
#include "platform/PlayerControls.h"
#include "platform/Window.h"
#include "scene/AttemptStart.h"
#include "scene/GameState.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

namespace vantor::scene {

namespace {
const float halfPi = 1.5707964f;
const float stickTurnSpeed = 2.0f; // radians a second at the right stick's full deflection

void clampPitch(float& verticalAngle)
{
    if (verticalAngle < -halfPi)
        verticalAngle = -halfPi;
    else if (verticalAngle > halfPi)
        verticalAngle = halfPi;
}
} // namespace

void applyMouseLook(float& horizontalAngle, float& verticalAngle, float mouseSpeed, int centerX, int centerY,
                    double cursorX, double cursorY)
{
    horizontalAngle += mouseSpeed * float(centerX - cursorX);
    verticalAngle += mouseSpeed * float(centerY - cursorY);
    clampPitch(verticalAngle);
}

Camera::Camera()
    : SceneObject(glm::mat4(0.0f)), position(0.0f), horizontalAngle(0.0f), verticalAngle(0.0f),
      fieldOfView(1.0471976f), mouseSpeed(0.006f), speed(10.0f), nearPlane(0.1f), farPlane(100.0f),
      aspectRatio(4.0f / 3.0f), viewMatrix(1.0f), projectionMatrix(1.0f), frustumPlanes{}, placeChangesSeen(-1)
{
}

void Camera::mouseLook(util::Window* window)
{
    const int centerX = window->width / 2;
    const int centerY = window->height / 2;
    double x = 0.0;
    double y = 0.0;
    input->getCursorPos(window->handle, x, y);
    input->setCursorPos(window->handle, centerX, centerY);
    // NOTE: once the window has moved, changed size or gone to or from full screen (and
    // before the first look), the cursor is read against another place of the window: its
    // offset from the centre is no movement of the mouse.
    const bool samePlace = window->placeChanges == placeChangesSeen;
    placeChangesSeen = window->placeChanges;
    if (samePlace)
        applyMouseLook(horizontalAngle, verticalAngle, mouseSpeed, centerX, centerY, x, y);
}

void Camera::updateProjection()
{
    projectionMatrix = glm::perspective(fieldOfView, aspectRatio, nearPlane, farPlane);
}

void Camera::update(double, GameState* state)
{
    mouseLook(state->window);
    position = followCameraPosition(state->heroPosition, horizontalAngle);
    state->viewDirection = glm::normalize(position - state->heroPosition);
    updateProjection();
    viewMatrix = glm::lookAt(position, state->heroPosition, glm::vec3(0.0f, 1.0f, 0.0f));
    updateFrustumPlanes(projectionMatrix * viewMatrix);
}

void Camera::draw(unsigned int)
{
}

void Camera::updateFreeCamera(util::Window* window, float deltaTime, const PlayerControls& controls)
{
    mouseLook(window);
    // The right stick turns as the mouse does: to the right and up as it is pushed.
    const glm::vec2 turn = controls.cameraTurn;
    horizontalAngle -= stickTurnSpeed * deltaTime * turn.x;
    verticalAngle += stickTurnSpeed * deltaTime * turn.y;
    clampPitch(verticalAngle);
    const float h = horizontalAngle;
    const float v = verticalAngle;
    const glm::vec3 direction(std::cos(v) * std::sin(h), std::sin(v), std::cos(v) * std::cos(h));
    // NOTE: 1.57, not pi/2: the right vector is tilted very slightly, as it always was.
    const glm::vec3 right(std::sin(h - 1.57f), 0.0f, std::cos(h - 1.57f));
    const glm::vec3 up = glm::cross(right, direction);

    const float step = deltaTime * speed;
    position += direction * (step * controls.flight.y);
    position += right * (step * controls.flight.x);

    updateProjection();
    viewMatrix = glm::lookAt(position, position + direction, up);
}

void Camera::updateFrustumPlanes(const glm::mat4& viewProjection)
{
    frustumPlanes = computeFrustumPlanes(viewProjection);
}

} // namespace vantor::scene
