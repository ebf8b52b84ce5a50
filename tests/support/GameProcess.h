#pragma once
#include <string>
#include <sys/types.h>
#include <vector>

// The real game binary, started one level below the repository root (so it finds
// ../Models/ and ../Shader/), or in `workingFolder`, with standard input closed and its
// console captured in a file. Driven from outside through the X server's test extension
// (xdotool), as a player would. Needs DISPLAY: the test command runs everything inside Xvfb.
class GameProcess {
public:
    explicit GameProcess(const std::vector<std::string>& arguments = {}, const std::string& binary = LANTERN_GAME_BINARY,
                         const std::string& workingFolder = LANTERN_SOURCE_DIR "/tests");
    ~GameProcess(); // kills the game if it still runs

    // Waits until a visible window named "Lantern Trail" exists; returns its X id or "".
    std::string waitForWindow(double timeoutSeconds);
    // Waits until the console shows `text`; false after the timeout.
    bool waitForOutput(const std::string& text, double timeoutSeconds);
    // Focuses the window and presses (or holds for holdSeconds, then releases) one key,
    // named as xdotool names keys ("Escape", "w", "F3").
    void pressKey(const std::string& key, double holdSeconds = 0.0);
    // Sends `signal` (SIGTERM, SIGINT) to the game, if it still runs.
    void sendSignal(int signal);
    // The exit code once the game ended, or -1000 if it was still running after the timeout
    // (it is then killed).
    int waitForExit(double timeoutSeconds);
    std::string output() const; // everything the game wrote so far

    pid_t pid;           // the game's process
    std::string logFile; // its standard output and standard error
    std::string windowId; // X id, once found
};
