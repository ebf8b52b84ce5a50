#pragma once
#include "scene/Frustum.h"
#include "scene/SceneObject.h"

struct PlayerControls;
namespace vantor::util { class Window; }

namespace vantor::scene {

// Turns the view by the cursor's offset from the window centre (cx, cy), in pixels, at
// `mouseSpeed` radians a pixel, and keeps the pitch within [-pi/2, pi/2].
void applyMouseLook(float& horizontalAngle, float& verticalAngle, float mouseSpeed, int centerX, int centerY,
                    double cursorX, double cursorY);

// The eye of the scene: the view and projection matrices and the frustum planes for
// culling. It follows the hero (update) or flies freely (updateFreeCamera); both modes
// read the mouse as relative motion and put the cursor back to the window centre, in the
// window's own units (which on a scaled display are not its framebuffer's pixels).
// The cursor is read through `input`; the keys and the pad come as the frame's controls.
class Camera : public SceneObject {
public:
    Camera();

    // Follow mode: orbits the hero 2 up and 5 behind, turned by the yaw; writes the
    // direction from the hero to the eye into the state. deltaTime is not used.
    void update(double deltaTime, GameState* state) override;
    // The camera is never drawn.
    void draw(unsigned int levelOfDetail) override;
    // Free mode, turned by the mouse and the pad's right stick, flown by the keys W, S, A, D
    // (controls.flight). The frustum planes stay those of the last follow-mode frame.
    void updateFreeCamera(util::Window* window, float deltaTime, const PlayerControls& controls);
    void updateFrustumPlanes(const glm::mat4& viewProjection);

    glm::vec3 position;         // world; the eye
    float horizontalAngle;      // radians; yaw about +y
    float verticalAngle;        // radians; pitch, within [-pi/2, pi/2]
    float fieldOfView;          // radians; vertical
    float mouseSpeed;           // radians a pixel
    float speed;                // world units a second, free mode
    float nearPlane;            // world units
    float farPlane;             // world units
    float aspectRatio;          // width / height of the picture; the Game sets it from the framebuffer
    glm::mat4 viewMatrix;       // world to eye
    glm::mat4 projectionMatrix; // eye to clip
    FrustumPlanes frustumPlanes; // world space, normalised; from the last follow-mode frame
    int placeChangesSeen;       // the window's placeChanges at the last mouse look; -1 before the first

private:
    void mouseLook(util::Window* window);
    void updateProjection();
};

} // namespace vantor::scene
