#include "app/Clock.h"

#include "render/GL.h"

double GlfwClock::now()
{
    return glfwGetTime();
}

namespace {
GlfwClock glfwClock;
}

Clock* gameClock = &glfwClock;
