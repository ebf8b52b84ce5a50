#include "game/Game.h"
#include "platform/Globals.h"
#include "render/CustomShader.h"
#include "scene/GameState.h"
#include "scene/Hero.h"
#include "support/CaptureStdout.h"
#include "support/GLContext.h"
#include "tooling/GameRunner.h"

#include <btBulletDynamicsCommon.h>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The render scale and the passes that clear only part of their target, on the shipped
// course drawn by the real passes and read back.
namespace {
constexpr double step = 1.0 / 60.0;

// One level of a texture as glGetTexImage gives it.
template <typename Texel>
std::vector<Texel> readTexture(GLuint texture, GLenum format, GLenum type, size_t texelsPerPixel)
{
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<Texel> texels(size_t(width) * size_t(height) * texelsPerPixel);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, type, texels.data());
    return texels;
}

std::vector<uint8_t> readHud()
{
    return readTexture<uint8_t>(game->hudTexture, GL_RGBA, GL_UNSIGNED_BYTE, 4);
}

std::vector<uint16_t> readShadowMap()
{
    return readTexture<uint16_t>(game->shadowDepthTexture, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT, 1);
}

// All of a target cleared, as the passes did before they cleared only part of it.
void clearAll(GLuint framebuffer, GLbitfield buffers)
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glClear(buffers);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

glm::ivec2 textureSize(GLuint texture)
{
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    return {width, height};
}

// The window's back buffer, RGB rows from the bottom up.
std::vector<uint8_t> readWindow()
{
    std::vector<uint8_t> rgb(size_t(game->framebufferWidth) * size_t(game->framebufferHeight) * 3);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, game->framebufferWidth, game->framebufferHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Mean brightness of the window's pixels in rows y0..y1 - 1 and columns x0..x1 - 1.
double meanBrightness(const std::vector<uint8_t>& rgb, int x0, int y0, int x1, int y1)
{
    double sum = 0.0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            for (int c = 0; c < 3; ++c)
                sum += rgb[(size_t(y) * size_t(game->framebufferWidth) + size_t(x)) * 3 + size_t(c)];
    return sum / double((x1 - x0) * (y1 - y0) * 3);
}

class RenderScaleFrame : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(startWindowLibrary(failure)) << failure;
        runner = new GameRunner(640, 480);
        for (int i = 0; i < 600 && !game->hero->onWall; ++i)
            runner->frame(step);
        ASSERT_TRUE(game->hero->onWall);
    }
    void TearDown() override { delete runner; }

    // The update of one frame, then its passes, read back before anything else draws.
    void drawFrame()
    {
        runner->frame(step, false);
        game->render();
    }

    GameRunner* runner = nullptr;
    std::string failure;
};

TEST_F(RenderScaleFrame, AtAHalfTheSceneIsDrawnSmallTheFrameFillsTheWindowAndTheTextStaysAsAtOne)
{
    EXPECT_FALSE(game->renderScale.automatic()) << "tools and tests draw at a fixed 1 unless asked";
    drawFrame();
    const std::vector<uint8_t> hudAtOne = readHud();
    const std::vector<uint8_t> windowAtOne = readWindow();
    EXPECT_EQ(game->scaledFrameFramebuffer, 0u) << "at 1 the mixer draws straight into the window";

    game->chooseRenderScale({false, 0.5f});
    EXPECT_EQ(textureSize(game->sceneTexture), glm::ivec2(320, 240));
    EXPECT_EQ(textureSize(game->blurTexture), glm::ivec2(320, 240));
    EXPECT_EQ(textureSize(game->hudTexture), glm::ivec2(640, 480));
    game->render(); // the same moment again, at half the size
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(readHud(), hudAtOne);

    // The same picture, softer: sky above, course below, over all of the window; the
    // stretched frame reaches the top and right edges.
    const std::vector<uint8_t> windowAtHalf = readWindow();
    const int w = 640, h = 480;
    struct Region {
        int x0, y0, x1, y1;
    };
    for (Region r : {Region{0, h - 40, w, h}, Region{w - 8, 0, w, h}, Region{0, 0, w, 40}, Region{200, 150, 440, 330}}) {
        const double atOne = meanBrightness(windowAtOne, r.x0, r.y0, r.x1, r.y1);
        const double atHalf = meanBrightness(windowAtHalf, r.x0, r.y0, r.x1, r.y1);
        EXPECT_NEAR(atHalf, atOne, 6.0) << r.x0 << ", " << r.y0 << " to " << r.x1 << ", " << r.y1;
    }
    // The time and score at the lower left are the same pixels as at 1, give or take the
    // rounding of the blend that puts them on.
    int differing = 0;
    for (int y = 8; y < 75; ++y)
        for (int x = 8; x < 160; ++x)
            for (int c = 0; c < 3; ++c) {
                const size_t i = (size_t(y) * w + size_t(x)) * 3 + size_t(c);
                const int hud = hudAtOne[(size_t(y) * w + size_t(x)) * 4 + 3];
                if (hud == 255) // a glyph's solid core: the text alone
                    differing += std::abs(int(windowAtHalf[i]) - int(windowAtOne[i])) > 2 ? 1 : 0;
            }
    EXPECT_EQ(differing, 0);

    // F12 goes to a fixed 1 (the targets at the window's size again) and back to automatic.
    CaptureStdout capture;
    game->switchRenderScaleMode();
    EXPECT_TRUE(game->renderScale.automatic());
    game->switchRenderScaleMode();
    EXPECT_EQ(capture.text(), "Render scale auto\nRender scale 1 (fixed)\n");
    EXPECT_EQ(textureSize(game->sceneTexture), glm::ivec2(640, 480));
    EXPECT_EQ(game->scaledFrameFramebuffer, 0u);
}

// The shadow pass clears only the texels the last frame's objects may have covered. After
// the ball (and with it the map's box) jumps far, the map must hold what a whole clear
// before the pass gives.
TEST_F(RenderScaleFrame, TheShadowMapClearedInPartHoldsWhatAWholeClearGives)
{
    drawFrame();
    btTransform moved = game->hero->rigidBody->getWorldTransform();
    moved.setOrigin(moved.getOrigin() + btVector3(9.0f, 0.0f, -7.0f));
    game->hero->rigidBody->setWorldTransform(moved);
    game->hero->rigidBody->getMotionState()->setWorldTransform(moved);
    drawFrame();
    const std::vector<uint16_t> cleared = readShadowMap();
    clearAll(game->shadowFramebuffer, GL_DEPTH_BUFFER_BIT);
    game->shadowDrawnBox = {};
    game->render();
    EXPECT_TRUE(readShadowMap() == cleared) << "stale depth left where the last frame's objects lay";
    EXPECT_FALSE(game->shadowDrawnBox.empty());
    EXPECT_LT(game->shadowDrawnBox.right - game->shadowDrawnBox.left, 4096) << "no saving: the whole map is cleared";
}

// The glow's blur runs only round the fruit in view and clears what it lit before. After
// the ball (and the camera with it) jumps aside, the blur target must hold what a blur
// over all of it gives.
TEST_F(RenderScaleFrame, TheBlurDrawnInPartHoldsWhatAWholeBlurGives)
{
    drawFrame();
    const PixelBox atStart = game->blurDrawnBox;
    EXPECT_FALSE(atStart.empty()) << "fruit ahead of the ball at the start";
    EXPECT_LT((atStart.right - atStart.left) * (atStart.top - atStart.bottom), 640 * 480) << "no saving";
    btTransform moved = game->hero->rigidBody->getWorldTransform();
    moved.setOrigin(moved.getOrigin() + btVector3(9.0f, 0.0f, -7.0f));
    game->hero->rigidBody->setWorldTransform(moved);
    game->hero->rigidBody->getMotionState()->setWorldTransform(moved);
    drawFrame();
    const std::vector<uint8_t> partly = readTexture<uint8_t>(game->blurTexture, GL_RGBA, GL_UNSIGNED_BYTE, 4);

    glBindFramebuffer(GL_FRAMEBUFFER, game->blurFramebuffer);
    glViewport(0, 0, game->sceneWidth, game->sceneHeight);
    glUseProgram(game->blurShader->program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, game->glowTexture);
    glUniform1i(glGetUniformLocation(game->blurShader->program, "colorTexture"), 0);
    glDisable(GL_DEPTH_TEST);
    glBindVertexArray(game->blurQuadArray);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glEnable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_TRUE(readTexture<uint8_t>(game->blurTexture, GL_RGBA, GL_UNSIGNED_BYTE, 4) == partly)
        << "glow missing round the fruit, or left from the last frame";
}

// The heads-up target is cleared only where text was or will be: from the end screen's
// five lines back to the running attempt's two, nothing of the end screen may stay.
TEST_F(RenderScaleFrame, TheHeadsUpTargetClearedInPartHoldsOnlyThisFramesText)
{
    game->state->heroFell = true;
    game->state->endTime = runner->clock.now();
    drawFrame();
    runner->replay(step, false);
    game->render();
    const std::vector<uint8_t> partly = readHud();
    clearAll(game->hudFramebuffer, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    game->hudTextBox = {};
    game->render();
    EXPECT_TRUE(readHud() == partly) << "the end screen's text stayed in the heads-up target";
}

} // namespace
