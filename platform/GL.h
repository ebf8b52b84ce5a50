#pragma once
// The one place that pulls in the OpenGL loader and the window library, in the order
// they need: GLEW must come before any other OpenGL header.
#include <GL/glew.h>
#include <GLFW/glfw3.h>
