#include "platform/GLDiagnostics.h"

#include <iostream>

// The AMD_debug_output categories, which older drivers report in place of the
// debug-output source and type enumerants.
namespace {
constexpr GLenum categoryApiErrorAmd = 0x9149;
constexpr GLenum categoryWindowSystemAmd = 0x914A;
constexpr GLenum categoryDeprecationAmd = 0x914B;
constexpr GLenum categoryUndefinedBehaviorAmd = 0x914C;
constexpr GLenum categoryPerformanceAmd = 0x914D;
constexpr GLenum categoryShaderCompilerAmd = 0x914E;
constexpr GLenum categoryApplicationAmd = 0x914F;
constexpr GLenum categoryOtherAmd = 0x9150;

const char* sourceName(GLenum source)
{
    switch (source) {
    case GL_DEBUG_SOURCE_API:
    case categoryApiErrorAmd: return "API";
    case GL_DEBUG_SOURCE_WINDOW_SYSTEM:
    case categoryWindowSystemAmd: return "Window System";
    case GL_DEBUG_SOURCE_SHADER_COMPILER:
    case categoryShaderCompilerAmd: return "Shader Compiler";
    case GL_DEBUG_SOURCE_THIRD_PARTY: return "Third Party";
    case GL_DEBUG_SOURCE_APPLICATION:
    case categoryApplicationAmd: return "Application";
    case GL_DEBUG_SOURCE_OTHER:
    case categoryOtherAmd: return "Other";
    default: return "Unknown";
    }
}

const char* typeName(GLenum type)
{
    switch (type) {
    case GL_DEBUG_TYPE_ERROR: return "Error";
    case GL_DEBUG_TYPE_DEPRECATED_BEHAVIOR:
    case categoryDeprecationAmd: return "Deprecated Behavior";
    case GL_DEBUG_TYPE_UNDEFINED_BEHAVIOR:
    case categoryUndefinedBehaviorAmd: return "Undefined Behavior";
    case GL_DEBUG_TYPE_PORTABILITY: return "Portability";
    case GL_DEBUG_TYPE_PERFORMANCE:
    case categoryPerformanceAmd: return "Performance";
    case GL_DEBUG_TYPE_OTHER:
    case categoryOtherAmd: return "Other";
    default: return "Unknown";
    }
}

const char* severityName(GLenum severity)
{
    switch (severity) {
    case GL_DEBUG_SEVERITY_HIGH: return "High";
    case GL_DEBUG_SEVERITY_MEDIUM: return "Medium";
    case GL_DEBUG_SEVERITY_LOW: return "Low";
    default: return "Unknown";
    }
}

// Each name ends in a line feed, so the report is followed by an empty line.
const char* errorName(GLenum error)
{
    switch (error) {
    case GL_INVALID_ENUM: return "--> GL error detected: INVALID_ENUM\n";
    case GL_INVALID_VALUE: return "--> GL error detected: INVALID_VALUE\n";
    case GL_INVALID_OPERATION: return "--> GL error detected: INVALID_OPERATION\n";
    case GL_OUT_OF_MEMORY: return "--> GL error detected: OUT_OF_MEMORY\n";
    case GL_INVALID_FRAMEBUFFER_OPERATION: return " GL error detected: INVALID_FRAMEBUFFER_OPERATION\n";
    default: return nullptr;
    }
}
} // namespace

std::string formatDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, const GLchar* message)
{
    return std::string("OpenGL Error: ") + message + " [Source = " + sourceName(source) + ", Type = " +
           typeName(type) + ", Severity = " + severityName(severity) + ", ID = " + std::to_string(id) + "]";
}

void GLAPIENTRY debugMessageCallback(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei,
                                     const GLchar* message, const void*)
{
    std::cout << formatDebugMessage(source, type, id, severity, message) << std::endl;
}

std::string formatGLError(GLenum error, const std::string& label)
{
    std::string report = "Error occured (" + label + "): " + std::to_string(error) + "\n";
    if (const char* name = errorName(error))
        report += std::string(name) + "\n";
    return report;
}

void reportGLErrors(const std::string& label, GLenum (*nextError)(), std::ostream& out)
{
    for (GLenum error = nextError(); error != GL_NO_ERROR; error = nextError())
        out << formatGLError(error, label) << std::flush;
}

void checkGLError(const std::string& label)
{
    reportGLErrors(label, [] { return glGetError(); }, std::cout);
}
