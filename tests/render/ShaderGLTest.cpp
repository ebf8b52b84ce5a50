#include "render/CustomShader.h"
#include "support/GLContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <iostream>

namespace {
const char* vertexSource = "#version 330 core\nin vec3 position;\nvoid main() { gl_Position = vec4(position, 1.0); }\n";
const char* fragmentSource = "#version 330 core\nout vec4 fragColor;\nvoid main() { fragColor = vec4(1.0); }\n";

// The threadsafe death-test style runs each body in a fresh process, so the temporary
// folder has another name there than here. Death-test bodies print to standard output; send it where the matcher looks.
void buildInChild(const std::string& vertexFile, const std::string& fragmentFile)
{
    std::cout.rdbuf(std::cerr.rdbuf());
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    vantor::shadercode::Shader shader(vertexFile, fragmentFile);
}
} // namespace

TEST(ShaderGL, BuildsLinksAndBindsFragColorToColourZero)
{
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    TempDir dir;
    // Windows line endings go to the compiler unchanged, and it accepts them.
    std::string vertexFile = dir.write("a.vert", "#version 330 core\r\nin vec3 position;\r\nvoid main() { gl_Position = vec4(position, 1.0); }\r\n");
    std::string fragmentFile = dir.write("a.frag", fragmentSource);

    vantor::shadercode::CustomShader shader(vertexFile, fragmentFile);
    EXPECT_NE(shader.program, 0u);
    EXPECT_NE(shader.vertexShader, 0u);
    EXPECT_NE(shader.fragmentShader, 0u);
    EXPECT_FALSE(shader.inUse);
    EXPECT_EQ(glGetFragDataLocation(shader.program, "fragColor"), 0);
    GLint attached = 0;
    glGetProgramiv(shader.program, GL_ATTACHED_SHADERS, &attached);
    EXPECT_EQ(attached, 2);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(ShaderGL, DestructionDeletesProgramAndBothShaders)
{
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    TempDir dir;
    auto* shader = new vantor::shadercode::CustomShader(dir.write("a.vert", vertexSource), dir.write("a.frag", fragmentSource));
    GLuint program = shader->program, vertex = shader->vertexShader, fragment = shader->fragmentShader;
    delete shader;
    EXPECT_FALSE(glIsProgram(program));
    EXPECT_FALSE(glIsShader(vertex));
    EXPECT_FALSE(glIsShader(fragment));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(ShaderGLDeathTest, EveryFailureEndsWithItsMessageAndMinusOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempDir dir;
    std::string vertexFile = dir.write("a.vert", vertexSource);
    std::string fragmentFile = dir.write("a.frag", fragmentSource);

    EXPECT_EXIT(buildInChild(dir.path("missing.vert"), fragmentFile), testing::ExitedWithCode(255),
                "^Failed to open shader file\n$");
    EXPECT_EXIT(buildInChild(vertexFile, dir.path("missing.frag")), testing::ExitedWithCode(255),
                "^Failed to open shader file\n$");

    std::string empty = dir.write("empty.frag", "");
    EXPECT_EXIT(buildInChild(vertexFile, empty), testing::ExitedWithCode(255),
                "^Failed to compile shader: /tmp/[^/]+/empty.frag\n.+");

    // Compiles on its own, but a program needs a main() in every stage.
    std::string noMain = dir.write("nomain.frag", "#version 330 core\nout vec4 fragColor;\nvoid helper() {}\n");
    EXPECT_EXIT(buildInChild(vertexFile, noMain), testing::ExitedWithCode(255), "^Failed to link shader program\n.+");
}
