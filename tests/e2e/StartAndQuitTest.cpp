#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

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

// The same stop often comes twice at once: `timeout`, a logout or a service manager
// signals the game and then its whole process group. The second signal is absorbed and
// the game still ends cleanly, while it loads as well as while it plays.
TEST(StartAndQuit, AStopSignalRepeatedAtOnceStillEndsTheGameWithExitCodeZero)
{
    for (int run = 0; run < 10; ++run) {
        GameProcess game;
        ASSERT_TRUE(game.waitForOutput(run % 2 == 0 ? ">>> Load" : "Frametime: ", 60)) << game.output();
        game.sendSignal(SIGTERM);
        game.sendSignal(run < 5 ? SIGTERM : SIGINT);
        EXPECT_EQ(game.waitForExit(30), 0) << "run " << run << "\n" << game.output();
    }
}

TEST(StartAndQuit, TheGameEndsWithExitCodeZeroUnderTimeout)
{
    for (int run = 0; run < 10; ++run) {
        GameProcess timed({"--preserve-status", run % 2 == 0 ? "1" : "3", LANTERN_GAME_BINARY}, "/usr/bin/timeout");
        EXPECT_EQ(timed.waitForExit(60), 0) << "run " << run << "\n" << timed.output();
    }
}

// A player who presses Ctrl+C at "Press Enter" after a failed start (no data beside its
// folder) wants the game gone: the first stop ends it at once with the fatal exit code,
// and a second one right behind it (`timeout`) changes nothing.
TEST(StartAndQuit, AStopSignalEndsAGameWaitingAfterAFatalErrorAtOnceWithItsExitCode)
{
    TempDir folder;
    std::filesystem::create_directories(folder.path("run"));
    for (int run = 0; run < 10; ++run) {
        GameProcess game({}, LANTERN_GAME_BINARY, folder.path("run"), true);
        ASSERT_TRUE(game.waitForOutput("Press Enter", 60)) << game.output();
        game.sendSignal(run % 2 == 0 ? SIGTERM : SIGINT);
        if (run >= 5)
            game.sendSignal(SIGTERM);
        EXPECT_EQ(game.waitForExit(10), 255) << "run " << run << "\n" << game.output();
    }
}

// The pause after a broken course is no fatal end: the game goes on without a goal. A stop
// there ends the wait, and the game then ends in order with 0, as a stop while it loads.
TEST(StartAndQuit, AStopSignalAtThePauseAfterABrokenCourseEndsTheGameInOrder)
{
    TempDir folder;
    const std::string course = folder.path("broken.json");
    std::ofstream(course) << "{ \"elements\": [ { \"typ\": ";
    setenv("LANTERN_TRAIL_COURSE", course.c_str(), 1);
    GameProcess game({}, LANTERN_GAME_BINARY, LANTERN_SOURCE_DIR "/tests", true);
    unsetenv("LANTERN_TRAIL_COURSE");
    ASSERT_TRUE(game.waitForOutput("Press Enter", 60)) << game.output();
    game.sendSignal(SIGINT);
    EXPECT_EQ(game.waitForExit(60), 0) << game.output();
    EXPECT_NE(game.output().find("Init complete"), std::string::npos) << game.output();
}
