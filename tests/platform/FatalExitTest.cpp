#include "platform/FatalExit.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <iostream>
#include <thread>
#include <unistd.h>

namespace {
std::atomic<bool> stopNoted{false}; // set by noteStop

void noteStop(int)
{
    stopNoted = true;
}

bool stopAsked()
{
    return stopNoted;
}

// Gives the process a terminal as standard input and output, as a player's console, where
// nobody ever presses Enter; returns the terminal's other side.
int playAtASilentTerminal()
{
    const int controller = posix_openpt(O_RDWR | O_NOCTTY);
    if (controller < 0 || grantpt(controller) != 0 || unlockpt(controller) != 0)
        std::_Exit(10);
    const int console = open(ptsname(controller), O_RDWR | O_NOCTTY);
    if (console < 0 || dup2(console, STDIN_FILENO) < 0 || dup2(console, STDOUT_FILENO) < 0)
        std::_Exit(11);
    return controller;
}

// Reads the terminal's other side until `text` has been shown.
void waitUntilShown(int controller, const std::string& text)
{
    std::string shown;
    char buffer[256];
    while (shown.find(text) == std::string::npos) {
        const ssize_t count = read(controller, buffer, sizeof buffer);
        if (count <= 0)
            std::_Exit(12);
        shown.append(buffer, size_t(count));
    }
}
} // namespace

// Tests and CI have no terminal on standard input: the pause must not wait.
TEST(FatalExitDeathTest, PrintsItsLineAndExitsWithMinusOneWithoutWaiting)
{
    EXPECT_EXIT(
        {
            std::freopen("/dev/null", "r", stdin);
            std::cout.rdbuf(std::cerr.rdbuf());
            fatalExit("Failed to open window");
        },
        testing::ExitedWithCode(255), "^Failed to open window\n$");
}

// At a terminal the pause waits for Enter, but a player who asks the game to stop wants it
// gone: a stop asked for before the pause skips it, one while it waits ends it, and the
// fatal exit code stays. The alarm turns a wait that never ends into a failure, not a hang.
TEST(FatalExitDeathTest, AStopEndsThePauseAtATerminalWithTheFatalExitCode)
{
    EXPECT_EXIT(
        {
            alarm(30);
            playAtASilentTerminal();
            setConsolePauseStop([] { return true; });
            fatalExit("Failed to open window");
        },
        testing::ExitedWithCode(255), "");

    // The signal comes once the prompt shows, from a thread that blocks it, so it reaches
    // the waiting one: as it blocks the signal and checks for a stop, or inside the wait.
    EXPECT_EXIT(
        {
            alarm(30);
            const int controller = playAtASilentTerminal();
            std::signal(SIGTERM, noteStop);
            setConsolePauseStop(stopAsked);
            std::thread([controller] {
                sigset_t stopSignal;
                sigemptyset(&stopSignal);
                sigaddset(&stopSignal, SIGTERM);
                pthread_sigmask(SIG_BLOCK, &stopSignal, nullptr);
                waitUntilShown(controller, "Press Enter");
                kill(getpid(), SIGTERM);
            }).detach();
            fatalExit("Failed to open window");
        },
        testing::ExitedWithCode(255), "");
}
