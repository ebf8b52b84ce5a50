#include "render/Uniforms.h"

#include <glm/gtc/type_ptr.hpp>

void setMatrix(GLuint program, const char* name, const glm::mat4& matrix)
{
    glUniformMatrix4fv(glGetUniformLocation(program, name), 1, GL_FALSE, glm::value_ptr(matrix));
}

void setVector(GLuint program, const char* name, const glm::vec3& vector)
{
    glUniform3f(glGetUniformLocation(program, name), vector.x, vector.y, vector.z);
}

void setInt(GLuint program, const char* name, int value)
{
    glUniform1i(glGetUniformLocation(program, name), value);
}

void setFloat(GLuint program, const char* name, float value)
{
    glUniform1f(glGetUniformLocation(program, name), value);
}
