#include "platform/GLDiagnostics.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

TEST(DebugMessage, NamesEachSourceTypeAndSeverity)
{
    EXPECT_EQ(formatDebugMessage(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_OTHER, 7, GL_DEBUG_SEVERITY_NOTIFICATION, "hello"),
              "OpenGL Error: hello [Source = API, Type = Other, Severity = Unknown, ID = 7]");

    struct Case { GLenum value; const char* name; };
    const Case sources[] = {
        {0x8246, "API"}, {0x9149, "API"}, {0x8247, "Window System"}, {0x914A, "Window System"},
        {0x8248, "Shader Compiler"}, {0x914E, "Shader Compiler"}, {0x8249, "Third Party"},
        {0x824A, "Application"}, {0x914F, "Application"}, {0x824B, "Other"}, {0x9150, "Other"},
        {0x914B, "Unknown"}, {0, "Unknown"}};
    for (const Case& source : sources)
        EXPECT_NE(formatDebugMessage(source.value, 0, 0, 0, "m").find(std::string("Source = ") + source.name + ","),
                  std::string::npos) << std::hex << source.value;

    const Case types[] = {
        {0x824C, "Error"}, {0x824D, "Deprecated Behavior"}, {0x914B, "Deprecated Behavior"},
        {0x824E, "Undefined Behavior"}, {0x914C, "Undefined Behavior"}, {0x824F, "Portability"},
        {0x8250, "Performance"}, {0x914D, "Performance"}, {0x8251, "Other"}, {0x9150, "Other"},
        {GL_DEBUG_TYPE_MARKER, "Unknown"}, {GL_DEBUG_TYPE_PUSH_GROUP, "Unknown"}, {0x9149, "Unknown"}};
    for (const Case& type : types)
        EXPECT_NE(formatDebugMessage(0, type.value, 0, 0, "m").find(std::string("Type = ") + type.name + ","),
                  std::string::npos) << std::hex << type.value;

    const Case severities[] = {{0x9146, "High"}, {0x9147, "Medium"}, {0x9148, "Low"}, {0x826B, "Unknown"}};
    for (const Case& severity : severities)
        EXPECT_NE(formatDebugMessage(0, 0, 0, severity.value, "m").find(std::string("Severity = ") + severity.name + ","),
                  std::string::npos) << std::hex << severity.value;
}

TEST(DebugMessage, IdIsUnsignedDecimal)
{
    EXPECT_EQ(formatDebugMessage(0x824A, 0x824C, 4294967295u, 0x9146, ""),
              "OpenGL Error:  [Source = Application, Type = Error, Severity = High, ID = 4294967295]");
}

TEST(GLErrorReport, NamedErrorsLeaveAnEmptyLine)
{
    EXPECT_EQ(formatGLError(GL_INVALID_ENUM, "L"), "Error occured (L): 1280\n--> GL error detected: INVALID_ENUM\n\n");
    EXPECT_EQ(formatGLError(GL_INVALID_VALUE, "L"), "Error occured (L): 1281\n--> GL error detected: INVALID_VALUE\n\n");
    EXPECT_EQ(formatGLError(GL_INVALID_OPERATION, "L"),
              "Error occured (L): 1282\n--> GL error detected: INVALID_OPERATION\n\n");
    EXPECT_EQ(formatGLError(GL_OUT_OF_MEMORY, "L"), "Error occured (L): 1285\n--> GL error detected: OUT_OF_MEMORY\n\n");
}

TEST(GLErrorReport, FramebufferErrorHasLeadingBlankAndStackErrorsOnlyTheirCode)
{
    EXPECT_EQ(formatGLError(GL_INVALID_FRAMEBUFFER_OPERATION, "General GL Error Checking"),
              "Error occured (General GL Error Checking): 1286\n GL error detected: INVALID_FRAMEBUFFER_OPERATION\n\n");
    EXPECT_EQ(formatGLError(GL_STACK_OVERFLOW, "X"), "Error occured (X): 1283\n");
    EXPECT_EQ(formatGLError(GL_STACK_UNDERFLOW, "X"), "Error occured (X): 1284\n");
}

namespace {
std::vector<GLenum> queue;
GLenum popQueue()
{
    if (queue.empty())
        return GL_NO_ERROR;
    GLenum error = queue.front();
    queue.erase(queue.begin());
    return error;
}
} // namespace

TEST(GLErrorReport, EveryPendingErrorIsReportedInQueueOrder)
{
    queue = {GL_INVALID_OPERATION, GL_STACK_OVERFLOW, GL_INVALID_FRAMEBUFFER_OPERATION};
    std::ostringstream out;
    reportGLErrors("Two", popQueue, out);
    EXPECT_EQ(out.str(), "Error occured (Two): 1282\n--> GL error detected: INVALID_OPERATION\n\n"
                         "Error occured (Two): 1283\n"
                         "Error occured (Two): 1286\n GL error detected: INVALID_FRAMEBUFFER_OPERATION\n\n");
    EXPECT_TRUE(queue.empty());

    std::ostringstream quiet;
    reportGLErrors("None", popQueue, quiet);
    EXPECT_EQ(quiet.str(), "");
}
