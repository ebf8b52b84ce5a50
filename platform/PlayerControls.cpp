#include "platform/PlayerControls.h"

#include "platform/Input.h"

// Only the key, button and axis enumerants and the pad's state struct, no OpenGL call.
#include "platform/GL.h"

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

bool padButton(Input& input, int button)
{
    GLFWgamepadstate pad;
    return input.getGamepad(pad) && pad.buttons[button] == GLFW_PRESS;
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

glm::vec2 ballPush(Input& input, GLFWwindow* window)
{
    glm::vec2 push(axisOf(input.isKeyDown(window, GLFW_KEY_D), input.isKeyDown(window, GLFW_KEY_A)),
                   axisOf(input.isKeyDown(window, GLFW_KEY_W), input.isKeyDown(window, GLFW_KEY_S)));
    GLFWgamepadstate pad;
    if (!input.getGamepad(pad))
        return push;
    const auto down = [&](int button) { return pad.buttons[button] == GLFW_PRESS; };
    const glm::vec2 dpad(axisOf(down(GLFW_GAMEPAD_BUTTON_DPAD_RIGHT), down(GLFW_GAMEPAD_BUTTON_DPAD_LEFT)),
                         axisOf(down(GLFW_GAMEPAD_BUTTON_DPAD_UP), down(GLFW_GAMEPAD_BUTTON_DPAD_DOWN)));
    // The window library's stick y grows downward; pushed up means forward.
    const glm::vec2 stick =
        stickBeyondDeadZone({pad.axes[GLFW_GAMEPAD_AXIS_LEFT_X], -pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y]});
    for (int axis = 0; axis < 2; ++axis)
        push[axis] = stronger(stronger(push[axis], dpad[axis]), stick[axis]);
    return push;
}

bool jumpHeld(Input& input, GLFWwindow* window)
{
    return input.isKeyDown(window, GLFW_KEY_SPACE) || padButton(input, GLFW_GAMEPAD_BUTTON_A);
}

bool replayHeld(Input& input, GLFWwindow* window)
{
    return input.isKeyDown(window, GLFW_KEY_R) || padButton(input, GLFW_GAMEPAD_BUTTON_START);
}

bool quitHeld(Input& input, GLFWwindow* window)
{
    return input.isKeyDown(window, GLFW_KEY_ESCAPE) || padButton(input, GLFW_GAMEPAD_BUTTON_BACK);
}

glm::vec2 cameraTurn(Input& input)
{
    GLFWgamepadstate pad;
    if (!input.getGamepad(pad))
        return glm::vec2(0.0f);
    return stickBeyondDeadZone({pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_X], -pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y]});
}
