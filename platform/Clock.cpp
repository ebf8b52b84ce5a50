#include "platform/Clock.h"

#include "platform/GL.h"

double GlfwClock::now()
{
    return glfwGetTime();
}

namespace {
GlfwClock glfwClock;
}

Clock* gameClock = &glfwClock;
