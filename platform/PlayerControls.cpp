#include "platform/PlayerControls.h"

#include "platform/Input.h"

#include <cmath>
#include <glm/geometric.hpp>

namespace {

// The one of `a` and `b` that pushes harder; `a` on a tie.
float stronger(float a, float b)
{
    return std::fabs(b) > std::fabs(a) ? b : a;
}

// 1 for the positive control alone, -1 for the negative alone, 0 for both or neither.
float axisOf(bool positive, bool negative)
{
    return float(positive) - float(negative);
}

} // namespace

glm::vec2 stickBeyondDeadZone(glm::vec2 deflection)
{
    const float length = glm::length(deflection);
    if (length <= stickDeadZone)
        return glm::vec2(0.0f);
    const float strength = std::fmin(1.0f, (length - stickDeadZone) / (1.0f - stickDeadZone));
    return deflection * (strength / length);
}

PlayerControls readPlayerControls(Input& input, GLFWwindow* window)
{
    PlayerControls controls;
    const auto key = [&](int code) { return input.isKeyDown(window, code); };
    controls.flight = glm::vec2(axisOf(key(GLFW_KEY_D), key(GLFW_KEY_A)), axisOf(key(GLFW_KEY_W), key(GLFW_KEY_S)));
    controls.jump = key(GLFW_KEY_SPACE);
    controls.replay = key(GLFW_KEY_R);
    controls.nextCourse = key(GLFW_KEY_N);
    controls.quit = key(GLFW_KEY_ESCAPE);
    controls.push = controls.flight;
    // NOTE: without a pad the Input leaves `pad` holding nothing to read: cleared, so that
    // a reader of the buttons sees a pad pulled out as one with nothing held.
    controls.padConnected = input.getGamepad(controls.pad);
    if (!controls.padConnected) {
        controls.pad = {};
        return controls;
    }

    const GLFWgamepadstate& pad = controls.pad;
    const auto down = [&](int button) { return pad.buttons[button] == GLFW_PRESS; };
    controls.jump = controls.jump || down(GLFW_GAMEPAD_BUTTON_A);
    controls.replay = controls.replay || down(GLFW_GAMEPAD_BUTTON_START);
    controls.nextCourse = controls.nextCourse || down(GLFW_GAMEPAD_BUTTON_Y);
    controls.quit = controls.quit || down(GLFW_GAMEPAD_BUTTON_BACK);
    const glm::vec2 dpad(axisOf(down(GLFW_GAMEPAD_BUTTON_DPAD_RIGHT), down(GLFW_GAMEPAD_BUTTON_DPAD_LEFT)),
                         axisOf(down(GLFW_GAMEPAD_BUTTON_DPAD_UP), down(GLFW_GAMEPAD_BUTTON_DPAD_DOWN)));
    // The window library's stick y grows downward; pushed up means forward.
    const glm::vec2 stick =
        stickBeyondDeadZone({pad.axes[GLFW_GAMEPAD_AXIS_LEFT_X], -pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y]});
    for (int axis = 0; axis < 2; ++axis)
        controls.push[axis] = stronger(stronger(controls.push[axis], dpad[axis]), stick[axis]);
    controls.cameraTurn =
        stickBeyondDeadZone({pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_X], -pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y]});
    return controls;
}
