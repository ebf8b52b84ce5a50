#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <random>
#include <set>
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
// the game still ends cleanly; here while it plays (the loading has a test of its own).
TEST(StartAndQuit, AStopSignalRepeatedAtOnceWhilePlayingStillEndsTheGameWithExitCodeZero)
{
    for (int run = 0; run < 6; ++run) {
        GameProcess game;
        ASSERT_TRUE(game.waitForOutput("Frametime: ", 60)) << game.output();
        game.sendSignal(SIGTERM);
        game.sendSignal(run < 3 ? SIGTERM : SIGINT);
        EXPECT_EQ(game.waitForExit(30), 0) << "run " << run << "\n" << game.output();
    }
}

namespace {
const char* const startLineBegins = "Starting game with ";

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A whole number from the environment, or `fallback` when it is not set.
unsigned long long numberFromEnvironment(const char* name, unsigned long long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

const char* signalName(int signal)
{
    return signal == SIGTERM ? "SIGTERM" : "SIGINT";
}
} // namespace

// The same stop twice at once at any moment of the loading, from the start line on (the
// handlers are in place before it is written): the game still ends in order with 0, never
// by the second signal taken for a late one. The moments are spread over the loading as
// long as it takes here, drawn from a seed the test prints: LANTERN_STOP_SEED=<seed> draws
// them again, LANTERN_STOP_STARTS=<n> sets the number of starts (scripts/stress-signals.sh
// runs 100 and prints the tally).
TEST(StartAndQuit, TheSameStopTwiceAtOnceAnywhereInTheLoadingEndsTheGameWithExitCodeZero)
{
    // How long the loading takes now, from the start line to the first frame.
    double loadingSeconds = 0.0;
    {
        GameProcess game;
        ASSERT_TRUE(game.waitForOutput(startLineBegins, 60, 0.002)) << game.output();
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(game.waitForOutput("Init complete", 120, 0.01)) << game.output();
        loadingSeconds = secondsSince(start);
        game.sendSignal(SIGTERM);
        ASSERT_EQ(game.waitForExit(30), 0) << game.output();
    }

    const unsigned long long seed = numberFromEnvironment("LANTERN_STOP_SEED", std::random_device()());
    const unsigned long long starts = numberFromEnvironment("LANTERN_STOP_STARTS", 20);
    std::cout << "Seed " << seed << " (LANTERN_STOP_SEED), " << starts << " starts, loading " << loadingSeconds
              << " s" << std::endl;
    std::mt19937_64 draw(seed);
    std::uniform_real_distribution<double> momentInLoading(0.0, 1.0);
    std::map<int, int> exitCodes; // exit code: starts that ended with it
    for (unsigned long long run = 0; run < starts; ++run) {
        const double moment = momentInLoading(draw) * loadingSeconds; // seconds after the start line
        const int first = draw() % 2 == 0 ? SIGTERM : SIGINT;
        const int second = draw() % 2 == 0 ? SIGTERM : SIGINT;

        GameProcess game;
        ASSERT_TRUE(game.waitForOutput(startLineBegins, 60, 0.002)) << game.output();
        std::this_thread::sleep_for(std::chrono::duration<double>(moment));
        game.sendSignal(first);
        game.sendSignal(second);
        const int exitCode = game.waitForExit(60);
        ++exitCodes[exitCode];
        std::cout << "start " << run << ": " << signalName(first) << " and " << signalName(second) << " "
                  << moment << " s after the start line: exit code " << exitCode << std::endl;
        EXPECT_EQ(exitCode, 0) << "seed " << seed << ", start " << run << "\n" << game.output();
    }
    std::cout << "Tally of " << starts << " starts:";
    for (const auto& [exitCode, count] : exitCodes)
        std::cout << " exit code " << exitCode << " " << count << " times;";
    std::cout << std::endl;
}

namespace {
// The thread ids of a running game and their masks of blocked signals.
std::map<std::string, unsigned long long> blockedSignalsByThread(pid_t pid)
{
    std::map<std::string, unsigned long long> masks;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream status(task.path() / "status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("SigBlk:", 0) == 0)
                masks[task.path().filename().string()] = std::stoull(line.substr(7), nullptr, 16);
    }
    return masks;
}
} // namespace

// Only the main thread takes the stop signals: every other thread of the game, its loading
// worker, the GL driver's and the sound layer's, blocks them from the start line to play.
// Each is judged as last seen: the main thread blocks them for a moment while it starts the
// worker, and a library may block them in its new thread only once that runs.
TEST(StartAndQuit, EveryThreadButTheMainOneBlocksTheStopSignals)
{
    GameProcess game;
    ASSERT_TRUE(game.waitForOutput(startLineBegins, 60, 0.002)) << game.output();
    std::map<std::string, unsigned long long> lastSeen; // thread id: its blocked signals
    bool playing = false;
    do {
        playing = game.output().find("Frametime: ") != std::string::npos;
        for (const auto& [thread, blocked] : blockedSignalsByThread(game.pid))
            lastSeen[thread] = blocked;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (!playing && !game.hasEnded());

    const std::string mainThread = std::to_string(game.pid);
    const unsigned long long stopSignals = (1ULL << (SIGINT - 1)) | (1ULL << (SIGTERM - 1));
    EXPECT_GE(lastSeen.size(), 3u) << "the main thread, the loading worker and at least one library thread";
    for (const auto& [thread, blocked] : lastSeen) {
        const unsigned long long expected = thread == mainThread ? 0 : stopSignals;
        EXPECT_EQ(blocked & stopSignals, expected) << "thread " << thread << " (main " << mainThread << ")";
    }
    game.sendSignal(SIGTERM);
    EXPECT_EQ(game.waitForExit(30), 0) << game.output();
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
