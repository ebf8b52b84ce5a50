#pragma once
#include "platform/GL.h"

#include <iosfwd>
#include <string>

// "OpenGL Error: <message> [Source = <name>, Type = <name>, Severity = <name>, ID = <id>]".
// Knows the debug-output enumerants and the older AMD_debug_output categories.
std::string formatDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, const GLchar* message);

// Registered with the driver's debug output: prints every message, whatever its severity.
void GLAPIENTRY debugMessageCallback(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei length,
                                     const GLchar* message, const void* userParam);

// The report of one queued OpenGL error under `label`, exactly as checkGLError prints it.
std::string formatGLError(GLenum error, const std::string& label);

// Prints the report of every error that nextError() hands out until it returns GL_NO_ERROR.
void reportGLErrors(const std::string& label, GLenum (*nextError)(), std::ostream& out);

// Drains the OpenGL error queue, printing each error in queue order. Never stops the game.
void checkGLError(const std::string& label);
