// The frame update: camera and hero, per-frame uniforms, culling, the collected-fruit
// animation, physics and contacts, the goal and fall tests, the next-course and replay keys.
#include "game/Game.h"

#include "game/LevelLoader.h"
#include "game/Physics.h"
#include "model/WallPiece.h"
#include "platform/Clock.h"
#include "platform/PlayerControls.h"
#include "platform/RenderSettings.h"
#include "platform/SoundHandles.h"
#include "render/Shader.h"
#include "render/Uniforms.h"
#include "scene/AttemptStart.h"
#include "scene/Camera.h"
#include "scene/CollectedIngredients.h"
#include "scene/DirectionalLight.h"
#include "scene/Frustum.h"
#include "scene/GameState.h"
#include "scene/Hero.h"
#include "scene/Ingredient.h"
#include "scene/LevelFile.h"
#include "scene/Obstacle.h"

#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>
#include <iostream>

namespace {

// Updates each object, then decides whether it is drawn this frame.
template <typename Objects>
void updateAndCull(const Objects& objects, double deltaTime, GameState* state, const vantor::scene::Camera& camera)
{
    for (auto* object : objects) {
        object->update(deltaTime, state);
        object->visible = !viewFrustumCulling ||
                          vantor::scene::sphereInFrustum(camera.frustumPlanes, object->modelMatrix,
                                                         object->boundingSphereCenter, object->boundingSphereRadius);
    }
}

} // namespace

void Game::update(double deltaTime, const PlayerControls& controls)
{
    // The end screen has been shown since the frame before: N acts only on it.
    const bool endScreenShown = state->heroFell || state->goalReached;

    // The eye, and the hero while the attempt runs.
    if (freeCamera) {
        camera->updateFreeCamera(window, float(deltaTime), controls);
    } else {
        if (!state->heroFell && !state->goalReached) {
            hero->update(deltaTime, state);
            hero->steer(controls, deltaTime);
        }
        camera->update(deltaTime, state);
    }

    // What the lit and the sky programs need this frame.
    GLuint lit = normalMappingShader->program;
    glUseProgram(lit);
    setMatrix(lit, "projectionMatrix", camera->projectionMatrix);
    setMatrix(lit, "viewMatrix", camera->viewMatrix);
    setVector(lit, "Color", light->Color);
    setFloat(lit, "AmbientIntensity", light->AmbientIntensity);
    setFloat(lit, "DiffuseIntensity", light->DiffuseIntensity);
    setVector(lit, "Direction", light->Direction);
    // The sky box stays centred on the eye.
    GLuint sky = basicShader->program;
    glUseProgram(sky);
    setMatrix(sky, "projectionMatrix", camera->projectionMatrix);
    setMatrix(sky, "modelMatrix", glm::translate(camera->viewMatrix, camera->position));

    // The course: update, then cull against the view.
    updateAndCull(wallPieces, deltaTime, state, *camera);
    updateAndCull(obstacles, deltaTime, state, *camera);
    updateAndCull(ingredients, deltaTime, state, *camera);

    // Collected fruit float away above the hero.
    const btVector3& heroAt = hero->position;
    animateCollectedIngredients(collectedIngredients, glm::vec3(heroAt.x(), heroAt.y(), heroAt.z()), float(deltaTime));

    // Physics, then the contacts it found.
    dynamicsWorld->stepSimulation(float(deltaTime), 6, 1.0f / 60.0f);
    processContacts(dynamicsWorld);

    // Filter changes asked for by a key in this frame.
    if (textureSettingsChanged)
        applyTextureSettings();

    // Won or lost.
    if (!state->goalReached && vantor::scene::goalReachedFrom(camera->position, {courseHasGoal, goalPosition})) {
        state->goalReached = true;
        state->endTime = gameClock->now();
        std::cout << "Hero reached goal." << std::endl;
        fmodSystem->playSound(FMOD_CHANNEL_FREE, beginEndSound, false, nullptr);
    }
    if (!state->heroFell && hero->position.y() < vantor::scene::fallHeight) {
        state->heroFell = true;
        state->endTime = gameClock->now();
        std::cout << "Hero fell from wall." << std::endl;
        fmodSystem->playSound(FMOD_CHANNEL_FREE, loseSound, false, nullptr);
    }

    // The next course on a press of N (or the pad's Y) made while the end screen shows: a
    // key held from before, or a press the window kept for a later read, does not count.
    // Otherwise replay, whenever R (or the pad's Start) is down.
    const bool nextCoursePressed = controls.nextCourse && !nextCourseHeld;
    nextCourseHeld = controls.nextCourse;
    if (nextCoursePressed && endScreenShown) {
        goToNextCourse(state->goalReached && !state->heroFell);
    } else if (controls.replay) {
        replay();
    }

    // The sound system's per-frame work.
    fmodSystem->update();
}

void Game::switchCourse(const vantor::scene::CourseChoice& next)
{
    takeDownCourse();
    course = next;
    buildCourse(false);
    addCourseBodies();
    // The new course starts as the game does: the camera behind the ball, looking along -z.
    camera->horizontalAngle = 0.0f;
    camera->verticalAngle = 0.0f;
    replay();
    fmodSystem->playSound(FMOD_CHANNEL_FREE, beginEndSound, false, nullptr);
}

void Game::goToNextCourse(bool won)
{
    switchCourse(vantor::scene::nextCourse(course, won, coursePack, vantor::scene::clockSeed()));
}

void Game::replay()
{
    for (vantor::scene::Ingredient* ingredient : ingredients)
        restoreToCourse(ingredient);
    hero->reset();
    state->score = 0;
    state->heroFell = false;
    state->goalReached = false;
    state->startTime = gameClock->now();
    state->endTime = 0.0;
    transparencyEnabled = true;
    showFrametime = true;
    viewFrustumCulling = true;
}
