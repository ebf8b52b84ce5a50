#include "app/KeyCallback.h"

void keyCallback(GLFWwindow*, int, int, int, int)
{
}
