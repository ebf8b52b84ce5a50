#pragma once
#include "platform/GL.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// Uniform uploads by name into `program`, which must be the program in use. The location
// is looked up at every call; a name the program does not use is ignored by OpenGL.
// Matrices go up column-major, not transposed.
void setMatrix(GLuint program, const char* name, const glm::mat4& matrix);
void setVector(GLuint program, const char* name, const glm::vec3& vector);
void setInt(GLuint program, const char* name, int value);
void setFloat(GLuint program, const char* name, float value);
