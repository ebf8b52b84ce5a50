#include "platform/Input.h"

#include "platform/GL.h"

bool GlfwInput::isKeyDown(GLFWwindow* window, int key)
{
    return glfwGetKey(window, key) == GLFW_PRESS;
}

void GlfwInput::getCursorPos(GLFWwindow* window, double& x, double& y)
{
    glfwGetCursorPos(window, &x, &y);
}

void GlfwInput::setCursorPos(GLFWwindow* window, double x, double y)
{
    glfwSetCursorPos(window, x, y);
}

bool GlfwInput::getGamepad(GLFWgamepadstate& pad)
{
    // A joystick without a gamepad mapping is no pad; one unplugged reads as none at once,
    // so its last sticks never linger.
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick)
        if (glfwJoystickIsGamepad(joystick) && glfwGetGamepadState(joystick, &pad))
            return true;
    return false;
}

namespace {
GlfwInput glfwInput;
}

Input* input = &glfwInput;
