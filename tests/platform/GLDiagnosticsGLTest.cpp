#include "platform/GLDiagnostics.h"
#include "support/CaptureStdout.h"
#include "support/GLContext.h"

#include <gtest/gtest.h>

TEST(CheckGLError, ReportsARealErrorAndDrainsTheQueue)
{
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    {
        CaptureStdout out;
        checkGLError("Quiet");
        EXPECT_EQ(out.text(), "");
    }

    glEnable(0x1234); // GL_INVALID_ENUM
    CaptureStdout out;
    checkGLError("One");
    EXPECT_EQ(out.text(), "Error occured (One): 1280\n--> GL error detected: INVALID_ENUM\n\n");
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(CheckGLError, FramebufferAndStackErrors)
{
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer); // no attachments: incomplete
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);

    {
        CaptureStdout out;
        checkGLError("General GL Error Checking");
        EXPECT_EQ(out.text(), "Error occured (General GL Error Checking): 1286\n"
                              " GL error detected: INVALID_FRAMEBUFFER_OPERATION\n\n");
    }

    // Mesa keeps one error at a time, so each is checked on its own.
    auto popDebugGroup = reinterpret_cast<PFNGLPOPDEBUGGROUPPROC>(glfwGetProcAddress("glPopDebugGroup"));
    ASSERT_NE(popDebugGroup, nullptr);
    popDebugGroup(); // nothing pushed: GL_STACK_UNDERFLOW
    CaptureStdout out;
    checkGLError("General GL Error Checking");
    EXPECT_EQ(out.text(), "Error occured (General GL Error Checking): 1284\n");
}

TEST(DebugCallback, FiresInsideTheFailingCallWithTheFormattedLine)
{
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    auto registerCallback =
        reinterpret_cast<PFNGLDEBUGMESSAGECALLBACKPROC>(glfwGetProcAddress("glDebugMessageCallback"));
    ASSERT_NE(registerCallback, nullptr);
    registerCallback(debugMessageCallback, nullptr);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);

    CaptureStdout out;
    glEnable(0x1234);
    std::string printed = out.text();
    EXPECT_EQ(printed.rfind("OpenGL Error: ", 0), 0u) << printed;
    EXPECT_NE(printed.find("[Source = API, Type = Error, Severity = High, ID = "), std::string::npos) << printed;
    while (glGetError() != GL_NO_ERROR) {
    }
}
