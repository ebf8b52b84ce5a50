#include "render/Shader.h"

#include "platform/FatalExit.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace vantor::shadercode {

namespace {

// The driver's log of a shader or a program, read through the matching pair of getters
// (glGetShaderiv and glGetShaderInfoLog, or glGetProgramiv and glGetProgramInfoLog).
std::string infoLog(GLuint object, PFNGLGETSHADERIVPROC getParameter, PFNGLGETSHADERINFOLOGPROC getLog)
{
    GLint logLength = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &logLength);
    std::vector<GLchar> log(logLength + 1, '\0');
    getLog(object, logLength + 1, nullptr, log.data());
    return log.data();
}

} // namespace

Shader::Shader(const std::string& vertexFile, const std::string& fragmentFile)
    : program(0), vertexShader(0), fragmentShader(0)
{
    program = glCreateProgram();
    if (program == 0)
        fatalExit("Could not retrieve program handle");
    loadShader(vertexFile, GL_VERTEX_SHADER, vertexShader);
    loadShader(fragmentFile, GL_FRAGMENT_SHADER, fragmentShader);
    linkProgram();
}

Shader::~Shader()
{
    glDeleteProgram(program);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
}

void Shader::loadShader(const std::string& file, GLenum type, GLuint& handle)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream.good())
        fatalExit("Failed to open shader file");
    // The text goes to the compiler byte for byte.
    std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    stream.close();

    handle = glCreateShader(type);
    if (handle == 0)
        fatalExit("Failed to create shader");
    const GLchar* source = text.c_str();
    glShaderSource(handle, 1, &source, nullptr);
    glCompileShader(handle);

    GLint compiled = GL_FALSE;
    glGetShaderiv(handle, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE)
        return;

    fatalExit("Failed to compile shader: " + file + "\n" + infoLog(handle, glGetShaderiv, glGetShaderInfoLog));
}

void Shader::linkProgram()
{
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glBindFragDataLocation(program, 0, "fragColor");
    glLinkProgram(program);

    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE)
        return;

    fatalExit("Failed to link shader program\n" + infoLog(program, glGetProgramiv, glGetProgramInfoLog));
}

} // namespace vantor::shadercode
