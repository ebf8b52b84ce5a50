#include "support/GameProcess.h"

#include <csignal>
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

// Ctrl+C, kill, timeout or a session ending: the game finishes its frame, releases the game
// and the window, and ends with 0, as after Escape. The first game sees the signal while it
// still loads, the second while it plays.
TEST(StartAndQuit, SigtermAndSigintEndTheGameWithExitCodeZero)
{
    for (int signal : {SIGTERM, SIGINT}) {
        GameProcess loading;
        ASSERT_TRUE(loading.waitForOutput(">>> Load", 60)) << loading.output();
        loading.sendSignal(signal);
        EXPECT_EQ(loading.waitForExit(60), 0) << "signal " << signal << "\n" << loading.output();

        GameProcess playing;
        ASSERT_TRUE(playing.waitForOutput("Frametime: ", 60)) << playing.output();
        playing.sendSignal(signal);
        EXPECT_EQ(playing.waitForExit(30), 0) << "signal " << signal << "\n" << playing.output();
    }
}

// A size the window library or the X server cannot take ends the start-up the way a
// failed window does, with a line that says why, never with an abort or an X error.
TEST(StartAndQuit, ImpossibleWindowSizesFailToOpenTheWindowWithTheirReason)
{
    for (const std::vector<std::string>& size : std::vector<std::vector<std::string>>{
             {"-5", "600", "0"}, {"100000", "100000", "0"}, {"abc", "def", "ghi"}, {"800", "20000", "1"}}) {
        GameProcess game(size);
        EXPECT_EQ(game.waitForExit(60), 255) << game.output();
        const std::string output = game.output();
        EXPECT_NE(output.find("Window size " + std::to_string(std::atoi(size[0].c_str())) + "x" +
                              std::to_string(std::atoi(size[1].c_str())) + " is not possible"),
                  std::string::npos)
            << output;
        EXPECT_NE(output.find("\nFailed to open window\n"), std::string::npos) << output;
    }

    GameProcess tiny({"1", "1", "0"});
    EXPECT_TRUE(tiny.waitForOutput("Frametime: ", 60)) << tiny.output();
    tiny.sendSignal(SIGTERM);
    EXPECT_EQ(tiny.waitForExit(30), 0) << tiny.output();
}
