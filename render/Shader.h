#pragma once
#include "platform/GL.h"

#include <string>

namespace vantor::shadercode {

// A linked program built from one vertex and one fragment source file. The fragment
// output "fragColor" is bound to colour 0. Uniforms are set by callers, looked up by name
// at every use. Construction returns only with a linked program: every failure prints its
// line (and the driver's log) and ends the process through fatalExit.
class Shader {
public:
    Shader(const std::string& vertexFile, const std::string& fragmentFile);
    ~Shader();

    GLuint program;        // the program object
    GLuint vertexShader;   // attached to program until destruction
    GLuint fragmentShader; // attached to program until destruction

private:
    void loadShader(const std::string& file, GLenum type, GLuint& handle);
    void linkProgram();
};

} // namespace vantor::shadercode
