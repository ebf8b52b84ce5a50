#include "support/CaptureStdout.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

// The real game with a gamepad in the player's hands: the scripted pad of
// tests/preload/ScriptedPad.cpp is preloaded into it, and the test writes what the player
// does with the pad while the game runs.
namespace {

class ScriptedPad {
public:
    ScriptedPad() : file(folder.path("pad.txt"))
    {
        std::ofstream created(file);
        setenv("LD_PRELOAD", LANTERN_SCRIPTED_PAD, 1);
        setenv("LANTERN_TRAIL_TEST_PAD", file.c_str(), 1);
    }
    ~ScriptedPad()
    {
        unsetenv("LD_PRELOAD");
        unsetenv("LANTERN_TRAIL_TEST_PAD");
    }
    void send(const std::string& command) { std::ofstream(file, std::ios::app) << command << "\n"; }
    void axis(int axis, float value) { send("axis " + std::to_string(axis) + " " + std::to_string(value)); }
    void button(int button, bool down) { send("button " + std::to_string(button) + (down ? " 1" : " 0")); }

private:
    TempDir folder;
    std::string file;
};

} // namespace

TEST(Gamepad, ScriptedPadPlugsRollsTheBallReplaysAndQuits)
{
    ScriptedPad pad;
    pad.send("joystick 0300000000f00000f100000000010000 Old Wheel");
    pad.send("connect Scripted Pad");
    GameProcess game;
    ASSERT_FALSE(game.waitForWindow(60).empty()) << game.output();
    ASSERT_TRUE(game.waitForOutput("Init complete", 60)) << game.output();
    EXPECT_EQ(occurrences(game.output(), "Joystick without a gamepad mapping ignored: Old Wheel "
                                   "(0300000000f00000f100000000010000)\n"), 1u) << game.output();
    EXPECT_EQ(occurrences(game.output(), "Gamepad connected: Scripted Pad\n"), 1u) << game.output();

    // Pulled out and plugged in again during play.
    pad.send("disconnect");
    EXPECT_TRUE(game.waitForOutput("Gamepad disconnected: Scripted Pad\n", 30)) << game.output();
    pad.send("connect Scripted Pad");
    EXPECT_TRUE(game.waitUntil([](const std::string& output) {
        return occurrences(output, "Gamepad connected: Scripted Pad\n") == 2;
    }, 30)) << game.output();

    // A stick resting a little off centre, inside the dead zone, moves nothing.
    pad.axis(GLFW_GAMEPAD_AXIS_LEFT_X, 0.08f);
    pad.axis(GLFW_GAMEPAD_AXIS_LEFT_Y, -0.1f);
    EXPECT_FALSE(game.waitUntil(ballMetTheCourse, 5)) << game.output();

    // Pushed forward, the ball rolls into the course.
    pad.axis(GLFW_GAMEPAD_AXIS_LEFT_Y, -1.0f);
    EXPECT_TRUE(game.waitUntil(ballMetTheCourse, 60)) << game.output();
    pad.axis(GLFW_GAMEPAD_AXIS_LEFT_X, 0.0f);
    pad.axis(GLFW_GAMEPAD_AXIS_LEFT_Y, 0.0f);

    // Start replays: the replay turns the frame-rate lines back on after F2 turned them off.
    game.pressKey("F2");
    ASSERT_TRUE(game.waitForOutput("Show Frametime OFF\n", 30)) << game.output();
    pad.button(GLFW_GAMEPAD_BUTTON_START, true);
    EXPECT_TRUE(game.waitUntil([](const std::string& output) {
        return output.find("Frametime: ", output.find("Show Frametime OFF")) != std::string::npos;
    }, 60)) << game.output();
    pad.button(GLFW_GAMEPAD_BUTTON_START, false);

    // Back quits as Escape does.
    pad.button(GLFW_GAMEPAD_BUTTON_BACK, true);
    EXPECT_EQ(game.waitForExit(30), 0) << game.output();
}
