#include "support/GameProcess.h"

#include <gtest/gtest.h>

// Each run opens the real window; Escape ends it after the current frame.
namespace {
std::string firstLineOfRun(const std::vector<std::string>& arguments)
{
    GameProcess game(arguments);
    EXPECT_FALSE(game.waitForWindow(60).empty()) << game.output();
    game.pressKey("Escape");
    EXPECT_EQ(game.waitForExit(30), 0) << game.output();
    std::string output = game.output();
    return output.substr(0, output.find('\n'));
}
} // namespace

TEST(StartAndQuit, StartLineForEveryArgumentCount)
{
    const std::string defaults = "Starting game with 800x600 and windowmode = 1";
    EXPECT_EQ(firstLineOfRun({}), defaults);
    EXPECT_EQ(firstLineOfRun({"640"}), defaults);
    EXPECT_EQ(firstLineOfRun({"640", "480"}), defaults);
    EXPECT_EQ(firstLineOfRun({"640", "480", "0", "1"}), defaults);
    EXPECT_EQ(firstLineOfRun({"640", "480", "0"}), "Starting game with 640x480 and windowmode = 1");
}

TEST(StartAndQuit, FullScreenRequestFromTheCommandLine)
{
    EXPECT_EQ(firstLineOfRun({"1024", "768", "1"}), "Starting game with 1024x768 and windowmode = 0");
}

TEST(StartAndQuit, EscapeEndsTheGameWithExitCodeZero)
{
    GameProcess game;
    ASSERT_FALSE(game.waitForWindow(60).empty()) << game.output();
    // The frame-rate line every 61 frames shows the loop is running.
    EXPECT_TRUE(game.waitForOutput("Frametime: ", 60)) << game.output();
    game.pressKey("Escape");
    EXPECT_EQ(game.waitForExit(30), 0) << game.output();
}
