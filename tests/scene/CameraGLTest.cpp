#include "platform/GL.h"
#include "platform/Globals.h"
#include "platform/PlayerControls.h"
#include "platform/Window.h"
#include "scene/Camera.h"
#include "scene/GameState.h"
#include "support/GLContext.h"
#include "tooling/ScriptedInput.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using vantor::scene::Camera;

namespace {

// A real window (the camera reads the cursor of one) with keys and cursor from a script.
class CameraUpdate : public ::testing::Test {
protected:
    CameraUpdate() : savedWidth(windowWidth), savedHeight(windowHeight) {}
    void SetUp() override
    {
        std::string failure;
        ASSERT_TRUE(startWindowLibrary(failure)) << failure;
        windowWidth = 801;
        windowHeight = 600;
        window = new vantor::util::Window("camera");
        state.window = window;
        state.heroPosition = glm::vec3(1, 2, 3);
        scripted.cursorX = 400;
        scripted.cursorY = 300;
        camera.aspectRatio = 801.0f / 600.0f; // as the Game sets it from the framebuffer
    }
    void TearDown() override
    {
        delete window;
        windowWidth = savedWidth;
        windowHeight = savedHeight;
    }
    // One free-camera frame with what the script holds now.
    void fly(float deltaTime)
    {
        camera.updateFreeCamera(window, deltaTime, readPlayerControls(scripted, window->handle));
    }

    int savedWidth;
    int savedHeight;
    vantor::util::Window* window = nullptr;
    GameState state{};
    ScriptedInput scripted;
    ScopedInput installed{&scripted};
    Camera camera;
};

} // namespace

TEST_F(CameraUpdate, FollowsTheHeroTurnedByTheMouseAndRecentresTheCursor)
{
    camera.update(0.016, &state);
    EXPECT_EQ(camera.horizontalAngle, 0.0f) << "no motion, no turn";
    EXPECT_NEAR(glm::distance(camera.position, glm::vec3(1, 4, 8)), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::distance(state.viewDirection, glm::normalize(glm::vec3(0, 2, 5))), 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(camera.projectionMatrix[1][1], 1.0f / std::tan(1.0471976f / 2.0f));
    EXPECT_FLOAT_EQ(camera.projectionMatrix[0][0] * 801.0f / 600.0f, camera.projectionMatrix[1][1]);
    // The hero sits in the middle of the frustum.
    EXPECT_TRUE(vantor::scene::sphereInFrustum(camera.frustumPlanes, glm::mat4(1.0f), state.heroPosition, 0.0f));

    // A quarter turn to the left: the cursor moved right of centre by 1.5707964 / 0.006 pixels.
    scripted.cursorX = 400.0 - 1.5707964 / 0.006;
    scripted.cursorY = 0.0;
    camera.update(0.016, &state);
    EXPECT_EQ(scripted.cursorX, 400.0) << "801 / 2 in whole pixels";
    EXPECT_EQ(scripted.cursorY, 300.0);
    EXPECT_NEAR(camera.horizontalAngle, 1.5707964f, 1e-5f);
    EXPECT_NEAR(glm::distance(camera.position, glm::vec3(6, 4, 3)), 0.0f, 1e-4f) << "pitch has no effect here";
}

TEST_F(CameraUpdate, TheFreeCameraFliesWithTheKeysAndKeepsTheLastFrustum)
{
    camera.update(0.016, &state);
    const vantor::scene::FrustumPlanes followed = camera.frustumPlanes;
    const glm::vec3 start = camera.position;

    scripted.press(87);
    scripted.press(83);
    fly(0.5f);
    EXPECT_EQ(camera.position, start) << "forward and back cancel";

    scripted.release(83);
    fly(0.5f);
    EXPECT_NEAR(glm::distance(camera.position, start + glm::vec3(0, 0, 5)), 0.0f, 1e-5f) << "yaw 0 looks along +z";
    EXPECT_EQ(camera.frustumPlanes, followed);
    EXPECT_NEAR(glm::distance(glm::vec3(glm::inverse(camera.viewMatrix)[3]), camera.position), 0.0f, 1e-4f);
}

TEST_F(CameraUpdate, ThePadsRightStickTurnsTheFreeCameraAsTheMouseDoes)
{
    scripted.padConnected = true;
    scripted.pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_X] = 1.0f; // full right for half a second
    fly(0.5f);
    EXPECT_NEAR(camera.horizontalAngle, -1.0f, 1e-5f) << "to the right, as the cursor moved right";
    EXPECT_EQ(camera.verticalAngle, 0.0f);

    scripted.pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_X] = 0.0f;
    scripted.pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y] = -1.0f; // pushed up for long: the pitch stops straight up
    fly(2.0f);
    EXPECT_EQ(camera.verticalAngle, 1.5707964f);

    camera.update(0.016, &state);
    EXPECT_NEAR(camera.horizontalAngle, -1.0f, 1e-5f) << "the stick does not turn the follow camera";
}
