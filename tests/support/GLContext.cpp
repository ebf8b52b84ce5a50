#include "support/GLContext.h"

#include "platform/GL.h"

#include <IL/il.h>
#include <cstdlib>
#include <iostream>

GLContext::GLContext(int width, int height) : window(nullptr)
{
    if (glfwInit() != GLFW_TRUE) {
        std::cerr << "GL tests need a display: run them under xvfb-run" << std::endl;
        std::abort();
    }
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    window = glfwCreateWindow(width, height, "test", nullptr, nullptr);
    if (window == nullptr) {
        std::cerr << "could not create a 3.3 core context" << std::endl;
        std::abort();
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    glewInit();
    while (glGetError() != GL_NO_ERROR) {
    }
    ilInit();
}

GLContext::~GLContext()
{
    glfwDestroyWindow(window);
    glfwTerminate();
}
