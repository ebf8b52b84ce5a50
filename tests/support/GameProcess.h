#pragma once
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// The real game binary, started one level below the repository root (so it finds
// ../Models/ and ../Shader/), or in `workingFolder`, with standard input closed and its
// console captured in a file (standard input a terminal instead, with `terminalInput`, for
// a game that should wait at "Press Enter"). Driven from outside with key events sent to
// its own window alone (found by process id with xdotool), so several games may share one
// display. Needs DISPLAY: the test command runs everything inside Xvfb.
class GameProcess {
public:
    explicit GameProcess(const std::vector<std::string>& arguments = {}, const std::string& binary = LANTERN_GAME_BINARY,
                         const std::string& workingFolder = LANTERN_SOURCE_DIR "/tests", bool terminalInput = false);
    ~GameProcess(); // kills the game if it still runs

    // Waits until this process shows a visible window; returns its X id, or "" if the
    // game ended or the time ran out first.
    std::string waitForWindow(double timeoutSeconds);
    // Waits until the console shows `text`, looking every pollSeconds; false after the
    // timeout.
    bool waitForOutput(const std::string& text, double timeoutSeconds, double pollSeconds = 0.05);
    // Waits until `done` holds for the console so far, asking every pollSeconds; false after
    // the timeout.
    bool waitUntil(const std::function<bool(const std::string&)>& done, double timeoutSeconds,
                   double pollSeconds = 0.05);
    // Presses (or holds for holdSeconds, then releases) one key in this game's window,
    // named as X names key symbols ("Escape", "w", "F3"). Finds the window first if needed.
    void pressKey(const std::string& key, double holdSeconds = 0.0);
    // Presses and releases `key` with Alt held, as pressKey does.
    void pressKeyWithAlt(const std::string& key);
    // Sends `signal` (SIGTERM, SIGINT) to the game, if it still runs.
    void sendSignal(int signal);
    // True once the game has ended (its exit code is then in exitCode).
    bool hasEnded();
    // The exit code once the game ended, or -1000 if it was still running after the timeout
    // (it is then killed).
    int waitForExit(double timeoutSeconds);
    std::string output() const; // everything the game wrote so far

    pid_t pid;           // the game's process; -1 once it has ended
    int exitCode;        // once it has ended: its exit code, 128 + the signal that ended it
    std::string logFile; // its standard output and standard error
    std::string windowId; // X id, once found
    int terminal;         // the terminal's controlling side, kept open so its input never ends; -1 none
};

// Whether a game's console shows the ball meeting the shipped course: a fruit, an obstacle
// or the edge.
bool ballMetTheCourse(const std::string& output);
