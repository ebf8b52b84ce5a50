// The gamepad beside the keyboard: sticks, D-pad and buttons turned into the pushes, jump,
// replay and quit the game reads, through the same input seam as the keys.
#include "platform/PlayerControls.h"
#include "tooling/ScriptedInput.h"

#include <gtest/gtest.h>

namespace {

// A player at the keyboard with a pad in hand, everything at rest.
struct Player : ScriptedInput {
    Player() { padConnected = true; }
    // Without a pad a source may leave anything in `pad` (Input.h): this one leaves the
    // last state it held.
    bool getGamepad(GLFWgamepadstate& state) override
    {
        state = pad;
        return padConnected;
    }
    void stick(float x, float y)
    {
        pad.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = x;
        pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = y;
    }
    void hold(int button) { pad.buttons[button] = GLFW_PRESS; }
    PlayerControls read() { return readPlayerControls(*this, nullptr); }
    glm::vec2 push() { return read().push; }
};

} // namespace

TEST(PlayerControls, StickInsideTheDeadZoneIsNoneBeyondItRisesSmoothlyToAFullPush)
{
    EXPECT_EQ(stickBeyondDeadZone({0.1f, 0.1f}), glm::vec2(0.0f)); // a worn stick at rest
    EXPECT_EQ(stickBeyondDeadZone({0.0f, -0.15f}), glm::vec2(0.0f));
    // Just past the edge the push is small: no jump where the dead zone ends.
    EXPECT_GT(stickBeyondDeadZone({0.16f, 0.0f}).x, 0.0f);
    EXPECT_LT(stickBeyondDeadZone({0.16f, 0.0f}).x, 0.02f);
    // Half way between the dead zone and the rim is half a push.
    EXPECT_NEAR(stickBeyondDeadZone({0.0f, 0.575f}).y, 0.5f, 1e-5);
    EXPECT_FLOAT_EQ(stickBeyondDeadZone({-1.0f, 0.0f}).x, -1.0f);
    // A square stick's corner reaches beyond length 1: capped, its direction kept.
    const glm::vec2 corner = stickBeyondDeadZone({1.0f, 1.0f});
    EXPECT_NEAR(corner.x, 0.70710678f, 1e-5);
    EXPECT_NEAR(corner.y, 0.70710678f, 1e-5);
}

TEST(PlayerControls, LeftStickAndDPadPushAsTheMovementKeysDo)
{
    Player player;
    player.stick(0.0f, -1.0f); // the library's y grows downward: this is up, forward
    EXPECT_EQ(player.push(), glm::vec2(0.0f, 1.0f));
    player.stick(0.575f, 0.0f);
    EXPECT_NEAR(player.push().x, 0.5f, 1e-5);
    EXPECT_EQ(player.push().y, 0.0f);

    player.stick(0.0f, 0.0f);
    player.hold(GLFW_GAMEPAD_BUTTON_DPAD_UP);
    player.hold(GLFW_GAMEPAD_BUTTON_DPAD_LEFT);
    EXPECT_EQ(player.push(), glm::vec2(-1.0f, 1.0f));
    player.hold(GLFW_GAMEPAD_BUTTON_DPAD_DOWN); // up and down cancel, as W and S do
    EXPECT_EQ(player.push(), glm::vec2(-1.0f, 0.0f));
}

TEST(PlayerControls, KeyboardAndPadTogetherTheStrongerWinsAndNeverMoreThanAKey)
{
    Player player;
    player.press(GLFW_KEY_W);
    player.stick(0.0f, -0.575f); // half forward
    EXPECT_EQ(player.push(), glm::vec2(0.0f, 1.0f));
    player.stick(0.0f, 0.575f); // half back: the key is stronger
    EXPECT_EQ(player.push(), glm::vec2(0.0f, 1.0f));
    player.stick(-0.575f, 0.0f); // the other axis goes on
    EXPECT_NEAR(player.push().x, -0.5f, 1e-5);
    EXPECT_EQ(player.push().y, 1.0f);
    player.release(GLFW_KEY_W);
    player.stick(0.0f, 0.575f);
    player.hold(GLFW_GAMEPAD_BUTTON_DPAD_DOWN); // full force beats the half stick
    EXPECT_EQ(player.push(), glm::vec2(0.0f, -1.0f));
}

TEST(PlayerControls, ButtonsJumpReplayNextCourseAndQuitAndAPulledOutPadLeavesNothingHeld)
{
    Player player;
    PlayerControls controls = player.read();
    EXPECT_FALSE(controls.jump || controls.replay || controls.quit || controls.nextCourse);
    player.hold(GLFW_GAMEPAD_BUTTON_Y);
    controls = player.read();
    EXPECT_TRUE(controls.nextCourse);
    EXPECT_FALSE(controls.jump || controls.replay);
    player.hold(GLFW_GAMEPAD_BUTTON_A);
    controls = player.read();
    EXPECT_TRUE(controls.jump);
    EXPECT_FALSE(controls.replay);
    player.hold(GLFW_GAMEPAD_BUTTON_START);
    controls = player.read();
    EXPECT_TRUE(controls.replay);
    EXPECT_FALSE(controls.quit);
    player.hold(GLFW_GAMEPAD_BUTTON_BACK);
    controls = player.read();
    EXPECT_TRUE(controls.quit);
    EXPECT_EQ(controls.pad.buttons[GLFW_GAMEPAD_BUTTON_BACK], GLFW_PRESS) << "the buttons stay readable";

    player.stick(0.0f, -1.0f);
    player.pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_X] = 1.0f;
    player.padConnected = false; // pulled out with everything held
    controls = player.read();
    EXPECT_EQ(controls.push, glm::vec2(0.0f));
    EXPECT_FALSE(controls.jump || controls.replay || controls.quit || controls.nextCourse);
    EXPECT_EQ(controls.cameraTurn, glm::vec2(0.0f));
    EXPECT_FALSE(controls.padConnected);
    EXPECT_EQ(controls.pad.buttons[GLFW_GAMEPAD_BUTTON_BACK], GLFW_RELEASE);
}

TEST(PlayerControls, TheFreeCameraFliesByTheKeysAloneAndTurnsByTheRightStick)
{
    Player player;
    player.stick(0.0f, -1.0f);
    player.hold(GLFW_GAMEPAD_BUTTON_DPAD_RIGHT);
    player.pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y] = 0.575f; // half way down, past the dead zone
    PlayerControls controls = player.read();
    EXPECT_EQ(controls.flight, glm::vec2(0.0f)) << "the pad pushes the ball, it does not fly the camera";
    EXPECT_EQ(controls.cameraTurn.x, 0.0f);
    EXPECT_NEAR(controls.cameraTurn.y, -0.5f, 1e-5f);

    player.press(GLFW_KEY_W);
    player.press(GLFW_KEY_A);
    EXPECT_EQ(player.read().flight, glm::vec2(-1.0f, 1.0f));
    player.press(GLFW_KEY_S);
    EXPECT_EQ(player.read().flight, glm::vec2(-1.0f, 0.0f)) << "W and S cancel";
}
