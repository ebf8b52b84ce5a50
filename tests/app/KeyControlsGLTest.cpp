#include "app/KeyCallback.h"
#include "game/Game.h"
#include "platform/RenderSettings.h"
#include "render/Texture.h"

#include "support/CaptureStdout.h"
#include "support/GLContext.h"

#include <gtest/gtest.h>

namespace {

GLint parameter(const vantor::util::Texture& texture, GLenum name)
{
    glBindTexture(texture.target, texture.textureObject);
    GLint value = 0;
    glGetTexParameteriv(texture.target, name, &value);
    return value;
}

// A texture as loading leaves it, without an image file: trilinear, mip-mapped.
void makeLoadedTexture(vantor::util::Texture& texture)
{
    glGenTextures(1, &texture.textureObject);
    glBindTexture(GL_TEXTURE_2D, texture.textureObject);
    const unsigned char texels[4 * 3] = {};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

TEST(KeyControlsGLTest, WireframeKeySwitchesThePolygonModeAtOnce)
{
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    wireframe = false;
    CaptureStdout capture;
    keyCallback(context.window, GLFW_KEY_F3, 0, GLFW_PRESS, 0);
    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_LINE);
    keyCallback(context.window, GLFW_KEY_F3, 0, GLFW_REPEAT, 0);
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_LINE);
    keyCallback(context.window, GLFW_KEY_F3, 0, GLFW_PRESS, 0);
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
    EXPECT_FALSE(wireframe);
    EXPECT_EQ(capture.text(), "Wireframe activated\nWireframe deactivated\n");
}

TEST(KeyControlsGLTest, TwoFilterKeysInOneFrameApplyOnceToRegisteredTexturesOnly)
{
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    vantor::util::Texture registered(GL_TEXTURE_2D, "registered.png");
    vantor::util::Texture other(GL_TEXTURE_2D, "other.png");
    makeLoadedTexture(registered);
    makeLoadedTexture(other);
    Game game;
    game.textures.push_back(&registered);

    CaptureStdout capture;
    keyCallback(context.window, GLFW_KEY_F4, 0, GLFW_PRESS, 0); // nearest sampling
    keyCallback(context.window, GLFW_KEY_F5, 0, GLFW_PRESS, 0); // mip-mapping off
    ASSERT_TRUE(textureSettingsChanged);
    game.applyTextureSettings();
    EXPECT_EQ(capture.text(), "\nSamplingquality: Nearest Neighbor\n\nMipMapping: OFF\n"
                              "MIN: GL_NEAREST, MAG: GL_NEAREST\n");
    EXPECT_FALSE(textureSettingsChanged);
    EXPECT_EQ(parameter(registered, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(parameter(registered, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(parameter(other, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(parameter(other, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    nearestSampling = false;
    mipmapMode = 2;
}

} // namespace
