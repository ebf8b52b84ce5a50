// The passes of one frame: shadow map, glow map and blur, the lit scene, the heads-up
// display and the composition onto the window, with the render targets they draw into.
#include "game/Game.h"

#include "model/SimpleModelTexNon.h"
#include "model/Skybox.h"
#include "model/WallPiece.h"
#include "platform/Clock.h"
#include "platform/RenderSettings.h"
#include "platform/Window.h"
#include "render/CustomShader.h"
#include "render/HudText.h"
#include "render/PassTiming.h"
#include "render/TextOverlay.h"
#include "render/Uniforms.h"
#include "scene/Camera.h"
#include "scene/CollectedIngredients.h"
#include "scene/DirectionalLight.h"
#include "scene/GameState.h"
#include "scene/Hero.h"
#include "scene/Ingredient.h"
#include "scene/LevelOfDetail.h"
#include "scene/Obstacle.h"

#include <algorithm>
#include <glm/geometric.hpp>
#include <initializer_list>
#include <iostream>

namespace {

constexpr int shadowMapSize = 4096; // texels a side
constexpr int glowMapSize = 128;    // texels a side

// Maps clip coordinates -1..1 to texture coordinates 0..1.
const glm::mat4 biasMatrix(0.5f, 0.0f, 0.0f, 0.0f,
                           0.0f, 0.5f, 0.0f, 0.0f,
                           0.0f, 0.0f, 0.5f, 0.0f,
                           0.5f, 0.5f, 0.5f, 1.0f);

// Two counter-clockwise triangles covering clip space.
const GLfloat quadVertices[] = {
    -1.0f, -1.0f, 0.0f, 1.0f, -1.0f, 0.0f, -1.0f, 1.0f, 0.0f,
    -1.0f, 1.0f, 0.0f, 1.0f, -1.0f, 0.0f, 1.0f, 1.0f, 0.0f,
};

void bindTexture(GLenum unit, GLuint texture)
{
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, texture);
}

GLuint createColourTexture(GLint internalFormat, GLenum format, int width, int height)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, texture, 0);
    return texture;
}

GLuint createDepthStencilBuffer(int width, int height)
{
    GLuint buffer = 0;
    glGenRenderbuffers(1, &buffer);
    glBindRenderbuffer(GL_RENDERBUFFER, buffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, buffer);
    return buffer;
}

GLuint bindNewFramebuffer()
{
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return framebuffer;
}

// The largest side a window-sized target may have: the driver's largest texture and depth
// buffer, and never more than the window library's largest window.
int largestTargetSide()
{
    GLint textureSide = 0, bufferSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureSide);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &bufferSide);
    return std::min({int(textureSide), int(bufferSide), vantor::util::maxWindowSide});
}

// Reports an incomplete target; the game goes on and draws into it regardless.
void reportIncomplete(const char* line)
{
    GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE)
        std::cout << line << status << std::endl;
}

// A colour target: a new framebuffer, left bound, with a `format` texture (GL_RGB or
// GL_RGBA) of `width` x `height` and, where `depthBuffer` is given, a depth and stencil
// buffer of the same size. `incompleteLine` begins the report of an incomplete target.
void createColourTarget(GLuint& framebuffer, GLuint& texture, GLuint* depthBuffer, GLenum format, int width,
                        int height, const char* incompleteLine)
{
    framebuffer = bindNewFramebuffer();
    texture = createColourTexture(GLint(format), format, width, height);
    if (depthBuffer != nullptr)
        *depthBuffer = createDepthStencilBuffer(width, height);
    reportIncomplete(incompleteLine);
}

GLuint createQuadArray(GLuint vertexBuffer)
{
    GLuint array = 0;
    glGenVertexArrays(1, &array);
    glBindVertexArray(array);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);
    return array;
}

// A full-screen quad covers every pixel once: testing or writing depth would only cost.
void drawQuad(GLuint array)
{
    glDisable(GL_DEPTH_TEST);
    glBindVertexArray(array);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glEnable(GL_DEPTH_TEST);
}

// The window's framebuffer, all width x height pixels of it.
void bindWindow(int width, int height)
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
}

// Uploads each object's matrix under `matrixName` (times `prefix`) and draws it at level 0.
template <typename Objects>
void drawAll(const Objects& objects, GLuint program, const char* matrixName, const glm::mat4& prefix)
{
    for (auto* object : objects) {
        setMatrix(program, matrixName, prefix * object->modelMatrix);
        object->draw(0);
    }
}

// Draws and clears from here on touch only `box` of the bound target, until the scissor
// test is disabled again.
void scissorTo(const PixelBox& box)
{
    glEnable(GL_SCISSOR_TEST);
    glScissor(box.left, box.bottom, box.right - box.left, box.top - box.bottom);
}

// Clears `buffers` within `box` of the bound target only.
void clearWithin(const PixelBox& box, GLbitfield buffers)
{
    if (box.empty())
        return;
    scissorTo(box);
    glClear(buffers);
    glDisable(GL_SCISSOR_TEST);
}

// Clears the colour of `box` of the bound target to `colour`, a clear colour of its own:
// the one the other passes clear to stays as it is.
void clearColourWithin(const PixelBox& box, const GLfloat (&colour)[4])
{
    if (box.empty())
        return;
    scissorTo(box);
    glClearBufferfv(GL_COLOR, 0, colour);
    glDisable(GL_SCISSOR_TEST);
}

// `box` in a blur target of width x height pixels grown by the blur's reach: its four
// linear reads, 0.9 glow-map texels from the pixel, take in texels up to two away. The
// glow map repeats, so a halo that reaches past one edge comes in at the opposite one.
PixelBox grownByBlurReach(const PixelBox& box, int width, int height)
{
    if (box.empty())
        return box;
    const int reachX = (2 * width + glowMapSize - 1) / glowMapSize + 1;
    const int reachY = (2 * height + glowMapSize - 1) / glowMapSize + 1;
    PixelBox grown{box.left - reachX, box.bottom - reachY, box.right + reachX, box.top + reachY};
    if (grown.left < 0 || grown.right > width) {
        grown.left = std::min(grown.left, 0);
        grown.right = std::max(grown.right, width);
    }
    if (grown.bottom < 0 || grown.top > height) {
        grown.bottom = std::min(grown.bottom, 0);
        grown.top = std::max(grown.top, height);
    }
    return grown;
}

// Draws `quad` with `program`, its sampler `sampler` reading `texture`, within `box` of
// the bound target only.
void drawQuadWithin(const PixelBox& box, GLuint program, GLuint texture, const char* sampler, GLuint quad)
{
    glUseProgram(program);
    bindTexture(GL_TEXTURE0, texture);
    setInt(program, sampler, 0);
    scissorTo(box);
    drawQuad(quad);
    glDisable(GL_SCISSOR_TEST);
}

// Adds to `footprint` the shadow-map texels each of `objects` may cover.
template <typename Objects>
void coverAll(const Objects& objects, const glm::mat4& lightViewProjection, PixelBox& footprint)
{
    for (const vantor::scene::SceneObject* object : objects)
        footprint = unite(footprint, vantor::scene::shadowFootprint(lightViewProjection, object->modelMatrix,
                                                                     object->boundingSphereCenter,
                                                                     object->boundingSphereRadius, shadowMapSize));
}

void markPassEnd(RenderPass pass)
{
    if (passTiming != nullptr)
        passTiming->passEnded(pass);
}

} // namespace

void Game::createRenderTargets()
{
    shadowFramebuffer = bindNewFramebuffer();
    glGenTextures(1, &shadowDepthTexture);
    glBindTexture(GL_TEXTURE_2D, shadowDepthTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT16, shadowMapSize, shadowMapSize, 0, GL_DEPTH_COMPONENT,
                 GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, shadowDepthTexture, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    reportIncomplete(">>> Error on generating framebuffer for shadow map: ");
    shadowDrawnBox = {0, 0, shadowMapSize, shadowMapSize}; // what a new texture holds is unknown

    createColourTarget(glowFramebuffer, glowTexture, &glowDepthBuffer, GL_RGB, glowMapSize, glowMapSize,
                       ">>> Error on generating framebuffer for glow map: ");
    sceneWidth = scaledSide(framebufferWidth, renderScale.scale());
    sceneHeight = scaledSide(framebufferHeight, renderScale.scale());
    createSceneTargets();
    createHudTarget();
    bindWindow(framebufferWidth, framebufferHeight);

    glGenBuffers(1, &quadVertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, quadVertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof quadVertices, quadVertices, GL_STATIC_DRAW);
    shadowDebugQuadArray = createQuadArray(quadVertexBuffer);
    blurQuadArray = createQuadArray(quadVertexBuffer);
    mixerQuadArray = createQuadArray(quadVertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void Game::createSceneTargets()
{
    blurDrawnBox = {0, 0, sceneWidth, sceneHeight}; // what a new texture holds is unknown
    createColourTarget(blurFramebuffer, blurTexture, nullptr, GL_RGBA, sceneWidth, sceneHeight,
                       ">>> Error on generating framebuffer for blur: ");
    createColourTarget(sceneFramebuffer, sceneTexture, &sceneDepthBuffer, GL_RGBA, sceneWidth, sceneHeight,
                       ">>> Error on generating framebuffer for scene: ");
    // Below scale 1 the mixer draws at the scene's size too, and its frame is stretched
    // over the window; at 1 it draws straight into the window.
    if (sceneWidth != framebufferWidth || sceneHeight != framebufferHeight)
        createColourTarget(scaledFrameFramebuffer, scaledFrameTexture, nullptr, GL_RGBA, sceneWidth, sceneHeight,
                           ">>> Error on generating framebuffer for the scaled frame: ");
}

void Game::createHudTarget()
{
    createColourTarget(hudFramebuffer, hudTexture, &hudDepthBuffer, GL_RGBA, framebufferWidth, framebufferHeight,
                       ">>> Error on generating framebuffer for hud: ");
    hudTextBox = {0, 0, framebufferWidth, framebufferHeight}; // what a new texture holds is unknown
}

bool Game::fitSceneTargets()
{
    const int width = scaledSide(framebufferWidth, renderScale.scale());
    const int height = scaledSide(framebufferHeight, renderScale.scale());
    const bool stretched = width != framebufferWidth || height != framebufferHeight;
    if (width == sceneWidth && height == sceneHeight && stretched == (scaledFrameFramebuffer != 0))
        return false;
    deleteSceneTargets();
    sceneWidth = width;
    sceneHeight = height;
    createSceneTargets();
    bindWindow(framebufferWidth, framebufferHeight);
    return true;
}

bool Game::resize(int width, int height)
{
    if (width <= 0 || height <= 0 || (width == framebufferWidth && height == framebufferHeight))
        return false;
    // A window the server made larger than the driver's targets can be keeps the picture
    // it has, said once for each such size: targets that fail would fail every frame.
    const std::string problem = vantor::util::windowSizeProblem(width, height, largestTargetSide());
    if (!problem.empty()) {
        if (width != refusedWidth || height != refusedHeight)
            std::cout << problem << " The picture stays " << framebufferWidth << " x " << framebufferHeight << "."
                      << std::endl;
        refusedWidth = width;
        refusedHeight = height;
        return false;
    }
    refusedWidth = refusedHeight = 0;
    framebufferWidth = width;
    framebufferHeight = height;
    deleteHudTarget();
    createHudTarget();
    fitSceneTargets();
    bindWindow(framebufferWidth, framebufferHeight);
    camera->aspectRatio = float(width) / float(height);
    textOverlay->halfWidth = float(width) * 0.5f;
    textOverlay->halfHeight = float(height) * 0.5f;
    std::cout << "Window resized to " << width << " x " << height << std::endl;
    return true;
}

void Game::chooseRenderScale(const RenderScaleChoice& choice)
{
    renderScale = RenderScaleController(choice);
    fitSceneTargets();
}

void Game::switchRenderScaleMode()
{
    renderScale.setAutomatic(!renderScale.automatic());
    fitSceneTargets();
    std::cout << (renderScale.automatic() ? "Render scale auto" : "Render scale 1 (fixed)") << std::endl;
}

void Game::frameShown(double now)
{
    if (!renderScale.frameShown(now))
        return;
    fitSceneTargets();
    std::cout << "Render scale " << renderScale.scale() << std::endl;
}

void Game::deleteSceneTargets()
{
    const GLuint framebuffers[] = {blurFramebuffer, sceneFramebuffer, scaledFrameFramebuffer};
    const GLuint textures[] = {blurTexture, sceneTexture, scaledFrameTexture};
    glDeleteRenderbuffers(1, &sceneDepthBuffer);
    glDeleteFramebuffers(3, framebuffers); // names of 0 are skipped
    glDeleteTextures(3, textures);
    sceneDepthBuffer = 0;
    blurFramebuffer = sceneFramebuffer = scaledFrameFramebuffer = 0;
    blurTexture = sceneTexture = scaledFrameTexture = 0;
}

void Game::deleteHudTarget()
{
    glDeleteRenderbuffers(1, &hudDepthBuffer);
    glDeleteFramebuffers(1, &hudFramebuffer);
    glDeleteTextures(1, &hudTexture);
    hudDepthBuffer = hudFramebuffer = hudTexture = 0;
}

void Game::deleteRenderTargets()
{
    deleteSceneTargets();
    deleteHudTarget();
    const GLuint framebuffers[] = {shadowFramebuffer, glowFramebuffer};
    const GLuint textures[] = {shadowDepthTexture, glowTexture};
    glDeleteRenderbuffers(1, &glowDepthBuffer);
    glDeleteFramebuffers(2, framebuffers);
    glDeleteTextures(2, textures);
    glDeleteBuffers(1, &quadVertexBuffer);
    glowDepthBuffer = 0;
    shadowFramebuffer = glowFramebuffer = 0;
    shadowDepthTexture = glowTexture = 0;
    quadVertexBuffer = 0;
}

void Game::render()
{
    // Wireframe shows the bare scene in lines, straight into the window.
    if (wireframe) {
        renderScene();
        return;
    }
    if (passTiming != nullptr)
        passTiming->frameStarted();
    renderShadowMap();
    markPassEnd(RenderPass::Shadow);
    renderGlowMap();
    markPassEnd(RenderPass::GlowAndBlur);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    glViewport(0, 0, sceneWidth, sceneHeight);
    renderScene();
    markPassEnd(RenderPass::Scene);
    renderHud();
    markPassEnd(RenderPass::Hud);
    composeFrame();
    markPassEnd(RenderPass::Composition);
}

void Game::renderShadowMap()
{
    glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer);
    glViewport(0, 0, shadowMapSize, shadowMapSize);
    // The box the map covers goes wherever the ball is.
    const glm::vec3 ball(hero->position.x(), hero->position.y(), hero->position.z());
    const glm::mat4 lightViewProjection = vantor::scene::shadowViewProjection(ball, light->Direction, shadowMapSize);

    // The shadow map has no colour buffer: depth is all there is to clear, and only where
    // the last frame's objects lay can it hold any but the clear's. Clearing all 4096 x 4096
    // texels took the software renderer most of this pass.
    clearWithin(shadowDrawnBox, GL_DEPTH_BUFFER_BIT);
    PixelBox footprint;
    coverAll(wallPieces, lightViewProjection, footprint);
    coverAll(obstacles, lightViewProjection, footprint);
    coverAll(ingredients, lightViewProjection, footprint);
    coverAll(std::initializer_list<vantor::scene::SceneObject*>{hero}, lightViewProjection, footprint);
    shadowDrawnBox = clampToTarget(footprint, shadowMapSize, shadowMapSize);

    GLuint program = shadowMappingShader->program;
    glUseProgram(program);
    shadowMappingShader->inUse = true;
    drawAll(wallPieces, program, "depthMVP", lightViewProjection);
    drawAll(obstacles, program, "depthMVP", lightViewProjection);
    drawAll(ingredients, program, "depthMVP", lightViewProjection);
    setMatrix(program, "depthMVP", lightViewProjection * hero->modelMatrix);
    hero->draw(0);

    depthBiasVP = biasMatrix * lightViewProjection;
    shadowMappingShader->inUse = false;
    bindWindow(framebufferWidth, framebufferHeight);
}

void Game::renderGlowMap()
{
    glBindFramebuffer(GL_FRAMEBUFFER, glowFramebuffer);
    glViewport(0, 0, glowMapSize, glowMapSize);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GLuint program = glowShader->program;
    glUseProgram(program);
    glowShader->inUse = true;
    setMatrix(program, "projectionMatrix", camera->projectionMatrix);
    setMatrix(program, "viewMatrix", camera->viewMatrix);

    // Everything but the fruit only fills depth, so it hides the fruit behind it.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    const glm::mat4 identity(1.0f);
    drawAll(wallPieces, program, "modelMatrix", identity);
    drawAll(obstacles, program, "modelMatrix", identity);
    setMatrix(program, "modelMatrix", hero->modelMatrix);
    hero->draw(0);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    drawAll(ingredients, program, "modelMatrix", identity);
    glowShader->inUse = false;

    // Only fruit light the glow map, and the blur of its black is black: the blur runs
    // only round the fruit in view, and what the last one lit elsewhere is cleared to the
    // black (opaque, as the blur writes it) that the blur would have written there.
    const glm::mat4 viewProjection = camera->projectionMatrix * camera->viewMatrix;
    PixelBox fruitBox;
    for (const vantor::scene::SceneObject* ingredient : ingredients)
        fruitBox = unite(fruitBox, vantor::scene::screenFootprint(viewProjection, ingredient->modelMatrix,
                                                                  ingredient->boundingSphereCenter,
                                                                  ingredient->boundingSphereRadius, sceneWidth,
                                                                  sceneHeight));
    const PixelBox glowBox = clampToTarget(grownByBlurReach(fruitBox, sceneWidth, sceneHeight), sceneWidth, sceneHeight);

    glBindFramebuffer(GL_FRAMEBUFFER, blurFramebuffer);
    glViewport(0, 0, sceneWidth, sceneHeight);
    const GLfloat opaqueBlack[] = {0.0f, 0.0f, 0.0f, 1.0f};
    clearColourWithin(blurDrawnBox, opaqueBlack);
    blurDrawnBox = glowBox;
    if (!glowBox.empty())
        drawQuadWithin(glowBox, blurShader->program, glowTexture, "colorTexture", blurQuadArray);
    bindWindow(framebufferWidth, framebufferHeight);
}

void Game::renderScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // The sky goes first and writes no depth, so everything after it covers it.
    glUseProgram(basicShader->program);
    skybox->draw();

    GLuint program = normalMappingShader->program;
    glUseProgram(program);
    bindTexture(GL_TEXTURE2, shadowDepthTexture);
    setInt(program, "shadowMap", 2);
    bindTexture(GL_TEXTURE3, blurTexture);
    setInt(program, "glowMap", 3);
    setMatrix(program, "DepthBiasVP", depthBiasVP);
    setFloat(program, "alpha", 1.0f);

    const glm::mat4 identity(1.0f);
    drawAll(wallPieces, program, "modelMatrix", identity);
    drawAll(obstacles, program, "modelMatrix", identity);
    for (vantor::scene::Ingredient* ingredient : ingredients) {
        setMatrix(program, "modelMatrix", ingredient->modelMatrix);
        float distance = glm::length(camera->position - ingredient->position);
        ingredient->draw(vantor::scene::levelOfDetailFor(distance, lodNearDistance, lodFarDistance));
    }
    setMatrix(program, "modelMatrix", hero->modelMatrix);
    hero->draw(0);

    // Fading collected fruit add their light to what lies behind them.
    if (transparencyEnabled) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    } else {
        glDisable(GL_BLEND);
    }
    for (vantor::scene::Ingredient* ingredient : collectedIngredients) {
        setMatrix(program, "modelMatrix", ingredient->modelMatrix);
        setFloat(program, "alpha", ingredient->alpha);
        ingredient->model->draw(0);
    }
    glDisable(GL_BLEND);
}

void Game::renderHud()
{
    glBindFramebuffer(GL_FRAMEBUFFER, hudFramebuffer);
    glViewport(0, 0, framebufferWidth, framebufferHeight);

    bool ended = state->heroFell || state->goalReached;
    double end = ended ? state->endTime : gameClock->now();
    HudLines hud;
    buildHudLines(end - state->startTime, state->score, state->heroFell, state->goalReached,
                  framebufferWidth, framebufferHeight, hud);
    // The text covers a few hundred pixels of the window: only where it was or will be can
    // the target hold anything but the transparent black the clear leaves.
    const PixelBox textBox = boxOfHudLines(hud);
    clearWithin(clampToTarget(unite(hudTextBox, textBox), framebufferWidth, framebufferHeight),
                GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    hudTextBox = clampToTarget(textBox, framebufferWidth, framebufferHeight);
    for (int i = 0; i < hud.count; ++i)
        textOverlay->drawText(hud.lines[i].text.c_str(), hud.lines[i].x, hud.lines[i].y, hud.lines[i].size);
}

void Game::composeFrame()
{
    const bool scaled = scaledFrameFramebuffer != 0;
    if (scaled) {
        glBindFramebuffer(GL_FRAMEBUFFER, scaledFrameFramebuffer);
        glViewport(0, 0, sceneWidth, sceneHeight);
    } else {
        bindWindow(framebufferWidth, framebufferHeight);
    }
    GLuint program = mixerShader->program;
    glUseProgram(program);
    bindTexture(GL_TEXTURE0, sceneTexture);
    setInt(program, "scene", 0);
    setInt(program, "glowing", glowEnabled ? 1 : 0);
    setInt(program, "gameEnded", (state->heroFell || state->goalReached) ? 1 : 0);
    bindTexture(GL_TEXTURE1, blurTexture);
    setInt(program, "glow", 1);
    bindTexture(GL_TEXTURE2, hudTexture);
    setInt(program, "hud", 2);
    setInt(program, "scaled", scaled ? 1 : 0);
    drawQuad(mixerQuadArray);
    if (scaled)
        stretchScaledFrame();
}

void Game::stretchScaledFrame()
{
    // A blit with a linear filter: the software renderer takes it on a path of its own,
    // more than twice as fast as the mixer's filtered reads over the window were.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, scaledFrameFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, sceneWidth, sceneHeight, 0, 0, framebufferWidth, framebufferHeight, GL_COLOR_BUFFER_BIT,
                      GL_LINEAR);
    bindWindow(framebufferWidth, framebufferHeight);
    if (hudTextBox.empty())
        return;

    // The text at full size over it, only where there is text, combined as the mixer
    // combines it: colour x (1 - sqrt(a)) + text.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    drawQuadWithin(hudTextBox, hudOverlayShader->program, hudTexture, "hud", mixerQuadArray);
    glDisable(GL_BLEND);
}
