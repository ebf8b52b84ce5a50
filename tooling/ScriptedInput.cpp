#include "tooling/ScriptedInput.h"

bool ScriptedInput::isKeyDown(GLFWwindow*, int key)
{
    return keysDown.count(key) != 0;
}

void ScriptedInput::getCursorPos(GLFWwindow*, double& x, double& y)
{
    x = cursorX;
    y = cursorY;
}

void ScriptedInput::setCursorPos(GLFWwindow*, double x, double y)
{
    cursorX = x;
    cursorY = y;
}

bool ScriptedInput::getGamepad(GLFWgamepadstate& state)
{
    if (padConnected)
        state = pad;
    return padConnected;
}
