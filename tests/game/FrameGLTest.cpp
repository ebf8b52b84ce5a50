#include "game/Game.h"
#include "game/LevelLoader.h"
#include "model/WallPiece.h"
#include "platform/Globals.h"
#include "platform/RenderSettings.h"
#include "platform/Window.h"
#include "scene/Camera.h"
#include "scene/CollectedIngredients.h"
#include "scene/DirectionalLight.h"
#include "scene/GameState.h"
#include "scene/Hero.h"
#include "scene/Ingredient.h"
#include "scene/Obstacle.h"
#include "support/CaptureStdout.h"
#include "support/CourseWriter.h"
#include "support/GLContext.h"
#include "support/TempDir.h"
#include "tooling/GameRunner.h"

#include <btBulletDynamicsCommon.h>
#include <chrono>
#include <cstdint>
#include <glm/glm.hpp>
#include <glm/gtc/constants.hpp>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

// Whole frames of the shipped course, drawn by the real passes and read back from the
// window. One game serves each suite; every test starts from a replay with the ball at rest.
namespace {
constexpr double step = 1.0 / 60.0;

struct Box {
    int x0, y0, x1, y1; // pixels from the lower left, x1 and y1 excluded
};

// The window's pixels as glReadPixels gives them: rows from the bottom up, RGB.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    glm::vec3 at(int x, int y) const
    {
        const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        return glm::vec3(p[0], p[1], p[2]);
    }
    glm::vec3 mean(Box box) const
    {
        glm::vec3 sum(0.0f);
        for (int y = box.y0; y < box.y1; ++y)
            for (int x = box.x0; x < box.x1; ++x)
                sum += at(x, y);
        return sum / float((box.x1 - box.x0) * (box.y1 - box.y0));
    }
    // Pixels whose every channel is at least `floor`: the heads-up text is white.
    int countWhite(Box box, float floor = 235.0f) const
    {
        int count = 0;
        for (int y = box.y0; y < box.y1; ++y)
            for (int x = box.x0; x < box.x1; ++x) {
                glm::vec3 c = at(x, y);
                count += (c.r >= floor && c.g >= floor && c.b >= floor) ? 1 : 0;
            }
        return count;
    }
};

float luminance(glm::vec3 c)
{
    return 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
}

Box around(glm::vec2 centre, int half)
{
    return Box{int(centre.x) - half, int(centre.y) - half, int(centre.x) + half + 1, int(centre.y) + half + 1};
}

// Where the camera shows a world point, in window pixels from the lower left.
glm::vec2 onScreen(glm::vec3 world)
{
    glm::vec4 clip = game->camera->projectionMatrix * game->camera->viewMatrix * glm::vec4(world, 1.0f);
    glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return (ndc * 0.5f + 0.5f) * glm::vec2(game->framebufferWidth, game->framebufferHeight);
}

// The window's back buffer as the last render left it, all of the game's framebuffer.
Pixels readWindow()
{
    Pixels pixels;
    pixels.width = game->framebufferWidth;
    pixels.height = game->framebufferHeight;
    pixels.rgb.resize(size_t(pixels.width) * pixels.height * 3);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, pixels.width, pixels.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.rgb.data());
    return pixels;
}

class Frame : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (startWindowLibrary(startFailure))
            runner = new GameRunner(800, 600);
    }
    static void TearDownTestSuite()
    {
        delete runner;
        runner = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(runner, nullptr) << startFailure;
        glowEnabled = true;
        transparencyEnabled = true;
        runner->replay(step, false);
        collectedIngredients.clear();
        for (int i = 0; i < 600 && !game->hero->onWall; ++i)
            runner->frame(step, false);
        ASSERT_TRUE(game->hero->onWall);
        for (int i = 0; i < 60; ++i)
            runner->frame(step, false);
    }

    // Runs the frame's update, lets `change` alter what is drawn, then renders and reads
    // the window back before anything else draws into it.
    template <typename Change>
    static Pixels draw(Change change)
    {
        runner->frame(step, false);
        change();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        game->render();
        Pixels pixels = readWindow();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        return pixels;
    }
    static Pixels draw()
    {
        return draw([] {});
    }

    static glm::vec3 heroAt()
    {
        btVector3 p = game->hero->rigidBody->getCenterOfMassPosition();
        return glm::vec3(p.x(), p.y(), p.z());
    }

    static GameRunner* runner;
    static std::string startFailure; // why the runner could not start
};
GameRunner* Frame::runner = nullptr;
std::string Frame::startFailure;

// The glyph box of the time and score lines at the lower left.
const Box hudDigits{8, 8, 160, 75};
} // namespace

TEST_F(Frame, TheStartShowsSkyOnTopAndTheBallOnTheWallInTheMiddle)
{
    Pixels frame = draw();
    // The sky: bright and blue across the whole top of the window.
    for (int x = 0; x < 800; x += 100) {
        glm::vec3 sky = frame.mean(Box{x, 560, x + 100, 600});
        EXPECT_GT(sky.b, sky.r) << "at x " << x;
        EXPECT_GT(luminance(sky), 120.0f) << "at x " << x;
    }

    // The ball: where its centre projects, the frame changes when the ball is not drawn.
    glm::vec3 hero = heroAt();
    glm::vec2 ball = onScreen(hero);
    EXPECT_NEAR(ball.x, 400.0f, 80.0f);
    Pixels noBall = draw([] { game->hero->visible = false; });
    game->hero->visible = true;
    glm::vec3 difference = glm::abs(frame.mean(around(ball, 4)) - noBall.mean(around(ball, 4)));
    EXPECT_GT(difference.r + difference.g + difference.b, 60.0f);

    // The wall: beside the ball the floor is drawn, not the sea below it.
    glm::vec2 floorAhead = onScreen(hero + glm::vec3(1.2f, -0.5f, 0.0f));
    ASSERT_GT(floorAhead.y, 0.0f);
    Pixels noWalls = draw([] {
        for (auto* wall : game->wallPieces)
            wall->visible = false;
    });
    difference = glm::abs(frame.mean(around(floorAhead, 4)) - noWalls.mean(around(floorAhead, 4)));
    EXPECT_GT(difference.r + difference.g + difference.b, 60.0f)
        << "floor at " << floorAhead.x << ", " << floorAhead.y << ", ball at " << ball.x << ", " << ball.y;
}

TEST_F(Frame, TheBallShadowsTheWallBesideItAwayFromTheLight)
{
    // The light falls along (-1, -1, -1): the shadow of a ball resting on the floor
    // stretches from under it toward -x and -z. A point 0.78 units along both lies inside it.
    glm::vec3 hero = heroAt();
    glm::vec3 inShadow = hero + glm::vec3(-0.78f, -0.5f, -0.78f);
    glm::vec2 spot = onScreen(inShadow);
    // The spot must show the floor, not the ball in front of it.
    float ballRadius = glm::length(onScreen(hero + glm::vec3(0.5f, 0.0f, 0.0f)) - onScreen(hero));
    ASSERT_GT(glm::length(spot - onScreen(hero)), ballRadius + 6.0f);

    Pixels shadowed = draw();
    Pixels lit = draw([] { game->hero->visible = false; });
    game->hero->visible = true;
    float dark = luminance(shadowed.mean(around(spot, 2)));
    float bright = luminance(lit.mean(around(spot, 2)));
    EXPECT_LT(dark, bright * 0.75f) << "shadowed " << dark << ", lit " << bright;
}

TEST_F(Frame, TheOpenTopAroundTheBallIsLitEvenlyWithoutShadowAcne)
{
    // With the ball hidden nothing stands on the top around it, so the shadow map must
    // leave that top exactly as lit as a frame whose every shadow comparison passes; a
    // bias too small for the filter's reach would darken it in specks.
    auto allLit = [](GLenum compare) {
        glBindTexture(GL_TEXTURE_2D, game->shadowDepthTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, compare);
        glBindTexture(GL_TEXTURE_2D, 0);
    };
    Pixels shadowed = draw([] { game->hero->visible = false; });
    Pixels unshadowed = draw([&] {
        game->hero->visible = false;
        allLit(GL_ALWAYS);
    });
    allLit(GL_LEQUAL);
    game->hero->visible = true;
    glm::vec3 floor = heroAt() - glm::vec3(0.0f, 0.5f, 0.0f);
    for (float x : {-1.2f, -0.6f, 0.0f, 0.6f, 1.2f}) {
        for (float z : {-1.5f, -0.5f, 0.5f, 1.5f}) {
            glm::vec2 spot = onScreen(floor + glm::vec3(x, 0.0f, z));
            float dark = luminance(shadowed.mean(around(spot, 3)));
            float bright = luminance(unshadowed.mean(around(spot, 3)));
            EXPECT_GT(dark, bright * 0.985f) << "at (" << x << ", " << z << ") from the ball: " << dark << " of " << bright;
        }
    }
}

TEST_F(Frame, FruitGlowOnlyWhileGlowIsOn)
{
    // The first fruit lies straight ahead on the first wall pieces.
    vantor::scene::Ingredient* fruit = nullptr;
    for (auto* ingredient : game->ingredients)
        if (!ingredient->collected && ingredient->visible &&
            (fruit == nullptr || glm::length(ingredient->position - heroAt()) < glm::length(fruit->position - heroAt())))
            fruit = ingredient;
    ASSERT_NE(fruit, nullptr);
    glm::vec2 spot = onScreen(fruit->position);
    ASSERT_GT(spot.x, 20.0f);
    ASSERT_LT(spot.x, 780.0f);

    Pixels glowing = draw();
    glowEnabled = false;
    Pixels plain = draw();
    glowEnabled = true;
    // Around the fruit, its halo: brighter with the glow on.
    float on = luminance(glowing.mean(around(spot, 12)));
    float off = luminance(plain.mean(around(spot, 12)));
    EXPECT_GT(on, off + 8.0f) << "with glow " << on << ", without " << off;
    // Far from any fruit (the top of the sky) the glow adds nothing.
    EXPECT_NEAR(luminance(glowing.mean(Box{0, 580, 800, 600})), luminance(plain.mean(Box{0, 580, 800, 600})), 1.0f);
}

TEST_F(Frame, TheHeadsUpDisplayHoldsOnlyTimeAndScoreAtTheLowerLeft)
{
    Pixels frame = draw();
    EXPECT_GT(frame.countWhite(hudDigits), 40);
    // The same box at the lower right holds no text.
    EXPECT_LT(frame.countWhite(Box{800 - 152, 8, 800 - 8, 75}), 5);

    // The heads-up image is transparent everywhere but at the text.
    std::vector<uint8_t> hud(size_t(800) * 600 * 4);
    glBindTexture(GL_TEXTURE_2D, game->hudTexture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, hud.data());
    int covered = 0, stray = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            if (hud[(size_t(y) * 800 + x) * 4 + 3] > 0) {
                bool inBox = x >= hudDigits.x0 && x < hudDigits.x1 && y >= hudDigits.y0 && y < hudDigits.y1;
                (inBox ? covered : stray) += 1;
            }
    EXPECT_GT(covered, 100);
    EXPECT_EQ(stray, 0);
}

TEST_F(Frame, AfterAFallGameOverShowsOverADimmedScene)
{
    Pixels playing = draw();
    runner->keys.press(GLFW_KEY_A);
    for (int i = 0; i < 60 * 10 && !game->state->heroFell; ++i)
        runner->frame(step, false);
    runner->keys.releaseAll();
    ASSERT_TRUE(game->state->heroFell);
    Pixels ended = draw();

    // "Game Over" at (250, 300), size 40; "Press R to replay" at (250, 260) and "Press N for
    // the next course" at (250, 235), size 20.
    EXPECT_GT(ended.countWhite(Box{250, 300, 250 + 9 * 40, 340}), 200);
    EXPECT_GT(ended.countWhite(Box{250, 260, 250 + 17 * 20, 280}), 100);
    EXPECT_GT(ended.countWhite(Box{250, 235, 250 + 27 * 20, 255}), 150);
    // The sky, far from the text, is dimmed to well under its brightness in play.
    float before = luminance(playing.mean(Box{0, 560, 800, 600}));
    float after = luminance(ended.mean(Box{0, 560, 800, 600}));
    EXPECT_LT(after, before * 0.6f) << "in play " << before << ", ended " << after;
    // The time and score stay readable.
    EXPECT_GT(ended.countWhite(hudDigits), 40);
}

TEST_F(Frame, WireframeDrawsLinesStraightIntoTheWindowWithoutHeadsUpDisplay)
{
    wireframe = true;
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    Pixels lines = draw();
    wireframe = false;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    int background = 0, drawn = 0;
    for (size_t i = 0; i < lines.rgb.size(); i += 3) {
        bool black = lines.rgb[i] == 0 && lines.rgb[i + 1] == 0 && lines.rgb[i + 2] == 0;
        (black ? background : drawn) += 1;
    }
    // Lines over the cleared window: most of it stays black, yet much is drawn.
    EXPECT_GT(background, 800 * 600 / 3);
    EXPECT_GT(drawn, 800 * 600 / 50);
    EXPECT_EQ(lines.countWhite(hudDigits), 0);

    // Back to filled polygons, the frame is whole again.
    Pixels filled = draw();
    EXPECT_GT(filled.countWhite(hudDigits), 40);
    EXPECT_GT(luminance(filled.mean(Box{0, 560, 800, 600})), 120.0f);
}

namespace {
// Checks every render target of the running game: complete, and sized for its window.
void expectCompleteTargets(int width, int height)
{
    struct Target {
        GLuint framebuffer;
        GLuint texture;
        int width, height;
    };
    const Target targets[] = {
        {game->shadowFramebuffer, game->shadowDepthTexture, 4096, 4096},
        {game->glowFramebuffer, game->glowTexture, 128, 128},
        {game->blurFramebuffer, game->blurTexture, width, height},
        {game->sceneFramebuffer, game->sceneTexture, width, height},
        {game->hudFramebuffer, game->hudTexture, width, height},
    };
    for (const Target& target : targets) {
        glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE)) << target.framebuffer;
        GLint w = 0, h = 0;
        glBindTexture(GL_TEXTURE_2D, target.texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        EXPECT_EQ(w, target.width);
        EXPECT_EQ(h, target.height);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
} // namespace

TEST_F(Frame, RenderTargetsAreCompleteAtTheWindowSize)
{
    expectCompleteTargets(800, 600);
}

// A wide, small window: the targets follow its size and the frame fills it.
TEST(FrameAtAnotherSize, TargetsFollowTheWindowAndTheFrameFillsIt)
{
    std::string failure;
    ASSERT_TRUE(startWindowLibrary(failure)) << failure;
    GameRunner runner(480, 270);
    expectCompleteTargets(480, 270);
    for (int i = 0; i < 5; ++i)
        runner.frame(step);
    runner.frame(step, false);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    game->render();
    const Pixels frame = readWindow();
    // The sky reaches the top corners and the course the bottom middle: the composition
    // covers the whole window, not a part of it.
    for (glm::vec3 corner : {frame.at(2, 267), frame.at(477, 267)}) {
        EXPECT_GT(corner.b, corner.r);
        EXPECT_GT(luminance(corner), 120.0f);
    }
    EXPECT_GT(luminance(frame.at(240, 20)), 20.0f);
}

// The player resizes the window of a running game, larger and then smaller than it opened:
// from the next frame on the picture is drawn at the new size, whole.
TEST(FrameAtAnotherSize, ThePictureFollowsTheWindowWhenItIsResized)
{
    std::string failure;
    ASSERT_TRUE(startWindowLibrary(failure)) << failure;
    GameRunner runner(800, 600);
    for (int i = 0; i < 5; ++i)
        runner.frame(step, false);
    const float yaw = game->camera->horizontalAngle;

    for (glm::ivec2 size : {glm::ivec2(1200, 900), glm::ivec2(400, 300)}) {
        const int w = size.x, h = size.y;
        std::string log;
        {
            CaptureStdout capture;
            glfwSetWindowSize(gameWindow->handle, w, h);
            // The server's answer comes in through the event poll of a later frame.
            for (int i = 0; i < 300 && game->framebufferWidth != w; ++i) {
                runner.frame(step, false);
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            log = capture.text();
        }
        ASSERT_EQ(game->framebufferWidth, w);
        ASSERT_EQ(game->framebufferHeight, h);
        EXPECT_EQ(occurrences(log, "Window resized to " + std::to_string(w) + " x " + std::to_string(h) + "\n"), 1u)
            << log;
        expectCompleteTargets(w, h);
        EXPECT_FLOAT_EQ(game->camera->projectionMatrix[0][0] * float(w) / float(h),
                        game->camera->projectionMatrix[1][1]);
        EXPECT_EQ(game->camera->horizontalAngle, yaw) << "the cursor's old centre is no movement of the mouse";

        // Scene or sky at every corner, nothing left at the clear colour.
        runner.frame(step, false);
        game->render();
        const Pixels playing = readWindow();
        for (glm::ivec2 corner : {glm::ivec2(2, 2), glm::ivec2(w - 3, 2), glm::ivec2(2, h - 3), glm::ivec2(w - 3, h - 3)})
            EXPECT_GT(luminance(playing.at(corner.x, corner.y)), 20.0f) << w << " x " << h << " at " << corner.x
                                                                          << ", " << corner.y;
        EXPECT_GT(playing.countWhite(hudDigits), 40) << "time and score at the lower left";

        // The end screen stands where the heads-up display puts it for this size.
        game->state->heroFell = true;
        game->state->endTime = runner.clock.now();
        runner.frame(step, false);
        game->render();
        const Pixels ended = readWindow();
        const int left = w / 2 - 150;
        EXPECT_GT(ended.countWhite(Box{left, h / 2, left + 9 * 40, h / 2 + 40}), 200) << "Game Over";
        EXPECT_GT(ended.countWhite(Box{left, h / 2 - 40, left + 17 * 20, h / 2 - 20}), 100) << "Press R to replay";
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        runner.replay(step, false);
    }

    // A zero size, as some systems report for a minimised window, changes nothing.
    EXPECT_FALSE(game->resize(0, 0));
    expectCompleteTargets(400, 300);

    // Larger than the driver's targets can be: the picture stays as it is, said once.
    std::string log;
    {
        CaptureStdout capture;
        const int tooWide = vantor::util::maxWindowSide + 1;
        EXPECT_FALSE(game->resize(tooWide, 300));
        EXPECT_FALSE(game->resize(tooWide, 300));
        log = capture.text();
    }
    EXPECT_EQ(log, "Window size 16385x300 is not possible: each side must be 1 to 16384 pixels. The picture stays "
                   "400 x 300.\n");
    expectCompleteTargets(400, 300);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// A course far longer than the shadow map's box: a fence 35 pieces down the line, over
// 150 units from where the box once stood still, around (10, 0, -50).
TEST(FrameFarDownACourse, AnObstacleCastsAShadowThatStandsStillWhileTheBallRolls)
{
    std::string failure;
    ASSERT_TRUE(startWindowLibrary(failure)) << failure;
    TempDir folder;
    std::vector<CourseStep> route(34, CourseStep{'S', ""});
    route.push_back({'S', "...|.F.|..."});
    route.push_back({'S', ""});
    route.push_back({'E', ""});
    const std::string shipped = courseName;
    courseName = folder.write("long.json", courseText(route));
    GameRunner runner(640, 480);
    courseName = shipped;
    ASSERT_EQ(game->obstacles.size(), 1u);
    const glm::vec3 fence(game->obstacles[0]->modelMatrix[3]);
    ASSERT_GT(glm::distance(fence, glm::vec3(10.0f, 0.0f, -50.0f)), 150.0f);

    // The free camera stands still a little behind the fence, looking down at it; nothing
    // is culled by the frustum it left at the start.
    viewFrustumCulling = false;
    freeCamera = true;
    game->camera->position = fence + glm::vec3(0.0f, 3.5f, 7.0f);
    game->camera->horizontalAngle = glm::pi<float>();
    game->camera->verticalAngle = -0.4f;

    // The ball rests on the top a piece before the fence, off to one side; its own shadow
    // falls away from the fence's.
    const glm::vec3 ball = fence + glm::vec3(1.5f, 0.5f, 6.0f);
    auto drawWithBallAt = [&](glm::vec3 at, GLenum compare) {
        runner.frame(step, false);
        game->hero->position = btVector3(at.x, at.y, at.z);
        game->hero->modelMatrix[3] = glm::vec4(at, 1.0f);
        glBindTexture(GL_TEXTURE_2D, game->shadowDepthTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, compare);
        game->render();
        glBindTexture(GL_TEXTURE_2D, game->shadowDepthTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
        return readWindow();
    };
    const Pixels shadowed = drawWithBallAt(ball, GL_LEQUAL);
    const Pixels unshadowed = drawWithBallAt(ball, GL_ALWAYS);
    const float texel = vantor::scene::shadowBoxSize / 4096.0f;
    const Pixels rolled = drawWithBallAt(ball + glm::vec3(0.45f * texel, 0.0f, -0.3f * texel), GL_LEQUAL);

    // The light falls along (-1, -1, -1): the fence's shadow lies on the top beyond it and
    // to its left. Look at that patch of the top, where the ball and its shadow are not.
    Box patch{10000, 10000, -1, -1};
    for (glm::vec3 corner : {glm::vec3(-2.5f, 0.0f, -2.5f), glm::vec3(0.8f, 0.0f, -2.5f), glm::vec3(-2.5f, 0.0f, 0.8f),
                             glm::vec3(0.8f, 0.0f, 0.8f)}) {
        const glm::vec2 at = onScreen(fence + corner);
        patch = Box{std::min(patch.x0, int(at.x)), std::min(patch.y0, int(at.y)), std::max(patch.x1, int(at.x) + 1),
                    std::max(patch.y1, int(at.y) + 1)};
    }
    ASSERT_GT(patch.x0, 0);
    ASSERT_GT(patch.y0, 0);
    ASSERT_LT(patch.x1, 640);
    ASSERT_LT(patch.y1, 480);

    int inShadow = 0, edge = 0, edgeChanged = 0;
    for (int y = patch.y0; y < patch.y1; ++y)
        for (int x = patch.x0; x < patch.x1; ++x) {
            const float dark = luminance(shadowed.at(x, y));
            const float lit = luminance(unshadowed.at(x, y));
            inShadow += dark < lit * 0.8f ? 1 : 0;
            // Partly shadowed: where a crawling edge would show first.
            if (dark < lit * 0.97f && dark > lit * 0.55f) {
                ++edge;
                const glm::vec3 change = glm::abs(rolled.at(x, y) - shadowed.at(x, y));
                edgeChanged += std::max(change.r, std::max(change.g, change.b)) > 1.0f ? 1 : 0;
            }
        }
    EXPECT_GT(inShadow, 100) << "the fence casts a shadow on the top beside it";
    EXPECT_GT(edge, 20);
    EXPECT_EQ(edgeChanged, 0) << "of " << edge << " edge pixels";
    freeCamera = false;
    viewFrustumCulling = true;
}
