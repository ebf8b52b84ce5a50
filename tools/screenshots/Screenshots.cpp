// lantern-trail-screenshots [folder [WIDTHxHEIGHT [SCALE]]]
//
// Renders the shipped course (at 800 x 600 and a render scale of 1 unless a size and scale
// are given) through the real game
// and writes PNG screenshots of the moments that show the rendering off: the start
// ("start.png"), mid-course with a glowing fruit just ahead and the ball's shadow
// ("fruit.png"), a collected fruit fading above the ball ("collected.png"), the path
// running into the first curve ("curve.png"), the end piece just ahead ("goal.png") and
// the two end screens ("game-over.png", "congrats.png"). Runs from one level below the
// repository root, under a display; scripts/screenshots.sh does both and writes into
// screenshots/.
#include "game/Game.h"
#include "game/LevelLoader.h"
#include "game/RenderScale.h"
#include "model/WallPiece.h"
#include "platform/GL.h"
#include "platform/Globals.h"
#include "png/PngWriter.h"
#include "scene/CollectedIngredients.h"
#include "scene/GameState.h"
#include "scene/Hero.h"
#include "scene/Ingredient.h"
#include "tooling/Autopilot.h"
#include "tooling/GameRunner.h"

#include <btBulletDynamicsCommon.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

int width = 800;
int height = 600;
constexpr double step = 1.0 / 60.0; // seconds a frame

std::string folder = "screenshots";

// Writes the window's back buffer, as the last frame left it, to folder/name.
void shoot(const char* name)
{
    std::vector<uint8_t> pixels(size_t(width) * height * 3);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    // OpenGL reads the bottom row first; PNG rows run from the top.
    std::vector<uint8_t> flipped(pixels.size());
    const size_t row = size_t(width) * 3;
    for (int y = 0; y < height; ++y)
        std::memcpy(&flipped[size_t(height - 1 - y) * row], &pixels[size_t(y) * row], row);
    std::string path = folder + "/" + name;
    if (writePng(path, width, height, 3, flipped))
        std::printf("wrote %s\n", path.c_str());
    else
        std::printf("could not write %s\n", path.c_str());
}

void run(GameRunner& runner, int frames)
{
    for (int i = 0; i < frames; ++i)
        runner.frame(step);
}

void replay(GameRunner& runner)
{
    runner.replay(step);
    collectedIngredients.clear();
}

float nearestFruitDistance()
{
    float nearest = 1e9f;
    btVector3 at = game->hero->rigidBody->getCenterOfMassPosition();
    for (auto* fruit : game->ingredients)
        if (!fruit->collected)
            nearest = std::min(nearest, glm::length(fruit->position - glm::vec3(at.x(), at.y(), at.z())));
    return nearest;
}

// Puts the ball, at rest, at a world position.
void placeBall(glm::vec3 at)
{
    btTransform pose;
    pose.setIdentity();
    pose.setOrigin(btVector3(at.x, at.y, at.z));
    btRigidBody* body = game->hero->rigidBody;
    body->setWorldTransform(pose);
    body->getMotionState()->setWorldTransform(pose);
    body->setLinearVelocity(btVector3(0, 0, 0));
    body->setAngularVelocity(btVector3(0, 0, 0));
}

float ballDistanceTo(glm::vec3 at)
{
    btVector3 ball = game->hero->rigidBody->getCenterOfMassPosition();
    return glm::length(glm::vec2(ball.x() - at.x, ball.z() - at.z));
}

// The centre of the course's first curve, or the origin when it has none.
glm::vec3 firstCurveCentre()
{
    for (const vantor::scene::WallPiece* wall : game->wallPieces)
        if (wall->prototype == game->curveWallPrototype)
            return glm::vec3(wall->modelMatrix[3]);
    return glm::vec3(0.0f);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        folder = argv[1];
    std::string scaleProblem;
    const RenderScaleChoice scale = readRenderScaleChoice(argc > 3 ? argv[3] : "1", scaleProblem);
    if (argc > 4 || (argc > 2 && std::sscanf(argv[2], "%dx%d", &width, &height) != 2) || !scaleProblem.empty()) {
        std::printf("usage: lantern-trail-screenshots [folder [WIDTHxHEIGHT [SCALE]]]  (SCALE 1 by default, or 0.5 "
                    "to 1)\n");
        return 2;
    }
    std::filesystem::create_directories(folder);
    GameRunner runner(width, height);
    game->chooseRenderScale(scale);

    // The ball dropped onto the first wall piece and settled.
    for (int i = 0; i < 600 && !game->hero->onWall; ++i)
        runner.frame(step);
    run(runner, 60);
    shoot("start.png");

    // The autopilot rolls on until a fruit lies just ahead, then through it.
    Autopilot pilot(game);
    for (int i = 0; i < 3000 && nearestFruitDistance() > 3.5f && !game->state->heroFell; ++i) {
        pilot.steer(runner.keys);
        runner.frame(step);
    }
    shoot("fruit.png");
    int score = game->state->score;
    for (int i = 0; i < 600 && game->state->score == score && !game->state->heroFell; ++i) {
        pilot.steer(runner.keys);
        runner.frame(step);
    }
    for (int i = 0; i < 20; ++i) {
        pilot.steer(runner.keys);
        runner.frame(step);
    }
    shoot("collected.png");

    // On along the path until the first curve lies just ahead.
    glm::vec3 curve = firstCurveCentre();
    for (int i = 0; i < 3000 && ballDistanceTo(curve) > 9.0f && !game->state->heroFell; ++i) {
        pilot.steer(runner.keys);
        runner.frame(step);
    }
    runner.keys.releaseAll();
    shoot("curve.png");

    // Off the side of the first wall piece.
    replay(runner);
    for (int i = 0; i < 600 && !game->hero->onWall; ++i)
        runner.frame(step);
    runner.keys.press(GLFW_KEY_A);
    for (int i = 0; i < 600 && !game->state->heroFell; ++i)
        runner.frame(step);
    runner.keys.releaseAll();
    run(runner, 30);
    shoot("game-over.png");

    // Set down on the piece before the end piece, which lies ahead.
    replay(runner);
    glm::vec3 before = glm::vec3(game->wallPieces[game->wallPieces.size() - 2]->modelMatrix[3]);
    placeBall(before + glm::vec3(0.0f, 1.0f, 0.0f));
    run(runner, 90);
    shoot("goal.png");

    // Set down on the end piece short of the gate, the ball rolls in and the camera reaches the goal.
    replay(runner);
    placeBall(goalPosition + (before - goalPosition) * 0.4f + glm::vec3(0.0f, 1.0f, 0.0f));
    runner.frame(step);
    for (int i = 0; i < 600 && !game->state->goalReached && !game->state->heroFell; ++i) {
        // Short pushes: W pushes away from the camera, which trails the ball.
        runner.keys.releaseAll();
        if (game->hero->onWall && i % 20 < 8)
            runner.keys.press(GLFW_KEY_W);
        runner.frame(step);
    }
    runner.keys.releaseAll();
    run(runner, 30);
    shoot(game->state->goalReached ? "congrats.png" : "congrats-missed.png");
    return 0;
}
