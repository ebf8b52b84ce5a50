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

namespace {
GlfwInput glfwInput;
}

Input* input = &glfwInput;
