#include "support/CaptureStdout.h"
#include "support/GameProcess.h"
#include "support/PrivateDisplay.h"
#include "support/XWindow.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <thread>
#include <unistd.h>

// The real game's window as the X server sees it: resized by the server, switched to full
// screen and back by the player, minimised as a window manager would. The screenshots and
// the full screen need a screen no other test's window shares: each test has its own.
namespace {
const int screenWidth = 1024;
const int screenHeight = 768;

// Whether the window shows a whole picture of width x height: the server has that size,
// and neither a corner nor the middle of an edge is left at the clear colour (black).
bool showsWholePicture(unsigned long window, int width, int height)
{
    WindowImage image;
    if (!captureWindow(window, image) || image.width != width || image.height != height)
        return false;
    const int x[3] = {1, width / 2, width - 2};
    const int y[3] = {1, height / 2, height - 2};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const uint8_t* pixel = image.at(x[i], y[j]);
            if (pixel[0] < 8 && pixel[1] < 8 && pixel[2] < 8)
                return false;
        }
    return true;
}

// Asks `done` every tenth of a second until it holds; false after `seconds`.
template <typename Condition>
bool within(double seconds, Condition done)
{
    const auto start = std::chrono::steady_clock::now();
    while (!done()) {
        if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > seconds)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

// Seconds of processor time the process has used so far, all its threads together.
double processorSeconds(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // Fields after the command name (which may hold spaces), from the state on: utime and
    // stime are the 12th and 13th.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0.0;
    for (int i = 1; i <= 13 && fields >> field; ++i)
        if (i >= 12)
            ticks += std::stod(field);
    return ticks / double(sysconf(_SC_CLK_TCK));
}

// A game started on a screen of its own, at its first frame.
class GameWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(display.started());
        game = std::make_unique<GameProcess>();
        const std::string id = game->waitForWindow(60);
        ASSERT_FALSE(id.empty()) << game->output();
        ASSERT_TRUE(game->waitForOutput("Init complete", 60)) << game->output();
        window = std::stoul(id);
    }

    PrivateDisplay display{screenWidth, screenHeight}; // first: the game starts on it and ends before it
    std::unique_ptr<GameProcess> game;
    unsigned long window = 0; // the game's X window
};
} // namespace

TEST_F(GameWindow, ThePictureFillsTheWindowAtEverySizeTheServerGivesIt)
{
    ASSERT_TRUE(within(30, [&] { return showsWholePicture(window, 800, 600); }));

    for (auto size : {std::make_pair(1000, 750), std::make_pair(400, 300), std::make_pair(1024, 400)}) {
        const std::string command = "xdotool windowsize " + std::to_string(window) + " " + std::to_string(size.first) +
                                    " " + std::to_string(size.second);
        ASSERT_EQ(std::system(command.c_str()), 0);
        const std::string line = "Window resized to " + std::to_string(size.first) + " x " + std::to_string(size.second);
        EXPECT_TRUE(game->waitForOutput(line, 30)) << game->output();
        EXPECT_TRUE(within(30, [&] { return showsWholePicture(window, size.first, size.second); }))
            << size.first << " x " << size.second;
    }
    game->pressKey("Escape");
    EXPECT_EQ(game->waitForExit(30), 0) << game->output();
}

TEST_F(GameWindow, F11AndAltEnterSwitchToFullScreenAndBack)
{
    // The switch logged for the count-th time, then the window at that size, drawn whole.
    auto expectSwitch = [&](const std::string& line, size_t count, int width, int height) {
        EXPECT_TRUE(game->waitUntil([&](const std::string& log) { return occurrences(log, line) == count; }, 30))
            << game->output();
        EXPECT_TRUE(within(30, [&] {
            int w = 0, h = 0;
            return windowSize(window, w, h) && w == width && h == height;
        })) << line << count;
        EXPECT_TRUE(within(30, [&] { return showsWholePicture(window, width, height); })) << line << count;
    };
    for (size_t round = 1; round <= 2; ++round) {
        // F11 the first time, Alt+Enter the second.
        auto press = [&] { round == 1 ? game->pressKey("F11") : game->pressKeyWithAlt("Return"); };
        press();
        expectSwitch("Full screen on\n", round, screenWidth, screenHeight);
        press();
        expectSwitch("Full screen off\n", round, 800, 600);
    }
    game->pressKey("Escape");
    EXPECT_EQ(game->waitForExit(30), 0) << game->output();
}

// Minimised, the game sleeps instead of drawing, comes back when restored, and a stop
// signal still ends it.
TEST_F(GameWindow, AMinimisedGameSleepsAndAStopSignalStillEndsIt)
{
    const pid_t pid = game->pid;
    // Asleep: under a twentieth of a core over a second (drawing takes one or more).
    auto asleep = [&] {
        const double before = processorSeconds(pid);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        return processorSeconds(pid) - before < 0.05;
    };

    ASSERT_TRUE(setMinimisedState(window, true));
    EXPECT_TRUE(within(30, asleep)) << "a minimised game keeps drawing";

    ASSERT_TRUE(setMinimisedState(window, false));
    const size_t lines = occurrences(game->output(), "Frametime: ");
    EXPECT_TRUE(game->waitUntil([&](const std::string& log) { return occurrences(log, "Frametime: ") > lines; }, 60))
        << "restored, it plays on";

    ASSERT_TRUE(setMinimisedState(window, true));
    EXPECT_TRUE(within(30, asleep));
    game->sendSignal(SIGTERM);
    EXPECT_EQ(game->waitForExit(10), 0) << game->output();
}

// The render scale chosen from outside: at a fixed half the stretched picture fills the
// window; a value the game cannot take is named on one line and the scale follows the frame
// rate; F12 switches to a fixed 1 and back to automatic.
TEST(GameRenderScale, AHalfFillsTheWindowABadValueIsNamedAndF12Switches)
{
    PrivateDisplay display{screenWidth, screenHeight};
    ASSERT_TRUE(display.started());
    for (const char* value : {"0.5", "2"}) {
        setenv("LANTERN_TRAIL_RENDER_SCALE", value, 1);
        GameProcess game;
        unsetenv("LANTERN_TRAIL_RENDER_SCALE");
        const std::string id = game.waitForWindow(60);
        ASSERT_FALSE(id.empty()) << game.output();
        ASSERT_TRUE(game.waitForOutput("Init complete", 60)) << game.output();
        const unsigned long window = std::stoul(id);
        EXPECT_TRUE(within(30, [&] { return showsWholePicture(window, 800, 600); })) << value;

        const std::string named = "LANTERN_TRAIL_RENDER_SCALE \"2\" is not auto or a number from 0.5 to 1: the render "
                                  "scale follows the frame rate\n";
        if (std::string(value) == "2") {
            EXPECT_EQ(occurrences(game.output(), named), 1u) << game.output();
            game.pressKey("F12");
            EXPECT_TRUE(game.waitForOutput("Render scale 1 (fixed)\n", 30)) << game.output();
            game.pressKey("F12");
            EXPECT_TRUE(game.waitForOutput("Render scale auto\n", 30)) << game.output();
        } else {
            EXPECT_EQ(occurrences(game.output(), "LANTERN_TRAIL_RENDER_SCALE"), 0u) << game.output();
        }
        game.pressKey("Escape");
        EXPECT_EQ(game.waitForExit(30), 0) << game.output();
    }
}
