#include "render/BulletDebugRenderer.h"
#include "render/Shader.h"

#include "support/GLContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(BulletDebugRendererGLTest, DrawsEverySegmentWithTheCurrentProgram)
{
    GLContext context(64, 64);
    ASSERT_TRUE(context.started()) << context.failure;
    TempDir dir;
    vantor::shadercode::Shader shader(
        dir.write("line.vert", "#version 330 core\nin vec3 position;\n"
                               "void main() { gl_Position = vec4(position, 1.0); }\n"),
        dir.write("line.frag", "#version 330 core\nout vec4 fragColor;\n"
                               "void main() { fragColor = vec4(1.0); }\n"));
    BulletDebugRenderer renderer(&shader);

    renderer.setDebugMode(btIDebugDraw::DBG_DrawAabb | btIDebugDraw::DBG_NoDeactivation);
    EXPECT_EQ(renderer.getDebugMode(), 1);

    glViewport(0, 0, 64, 64);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glUseProgram(shader.program);
    // Two calls, two separate segments: a horizontal one at y = 0.5, a vertical one at x = -0.5.
    renderer.drawLine(btVector3(-1, 0.5f, 0), btVector3(1, 0.5f, 0), btVector3(1, 0, 0));
    renderer.drawLine(btVector3(-0.5f, -1, 0), btVector3(-0.5f, 1, 0), btVector3(1, 0, 0));
    EXPECT_EQ(renderer.lineVertices[0], -0.5f);
    EXPECT_EQ(renderer.lineVertices[4], 1.0f);

    std::vector<uint8_t> image(64 * 64 * 4);
    glReadPixels(0, 0, 64, 64, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
    auto lit = [&](int x, int y) { return image[(y * 64 + x) * 4] > 128; };
    int horizontal = 0, vertical = 0;
    for (int i = 0; i < 64; ++i) {
        horizontal += lit(i, 48) || lit(i, 47);
        vertical += lit(16, i) || lit(15, i);
    }
    EXPECT_GE(horizontal, 60);
    EXPECT_GE(vertical, 60);
    EXPECT_FALSE(lit(40, 20)); // and nothing between them
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
