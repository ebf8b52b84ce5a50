#pragma once
#include <string>
#include <sys/types.h>

// An X server of this test's own (Xvfb, with a screen of width x height), for tests that
// look at what a window shows or take the whole screen: on the shared display another
// test's window could cover the window or be covered. While the object lives, DISPLAY
// names it, so the games a test starts and the X helpers it calls go there; the server is
// ended (SIGTERM, then SIGKILL after a few seconds) and DISPLAY put back when it goes.
class PrivateDisplay {
public:
    PrivateDisplay(int width, int height);
    ~PrivateDisplay();

    bool started() const { return !name.empty(); }

    std::string name;            // ":N" once the server is up; empty when it did not start
    pid_t pid;                   // the server's process; -1 when it did not start
    std::string previousDisplay; // DISPLAY before, put back at the end
    bool hadDisplay;             // whether DISPLAY was set before
};
