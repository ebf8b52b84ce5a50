#include "support/PrivateDisplay.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
const int startSeconds = 30; // the most a server may take to come up
const int stopSeconds = 5;   // the most it may take to end before it is killed
} // namespace

PrivateDisplay::PrivateDisplay(int width, int height) : pid(-1), hadDisplay(false)
{
    const char* display = std::getenv("DISPLAY");
    hadDisplay = display != nullptr;
    previousDisplay = hadDisplay ? display : "";

    int ready[2];
    if (pipe(ready) != 0)
        return;
    pid = fork();
    if (pid == 0) {
        // The server writes its display number into the pipe once it takes connections.
        close(ready[0]);
        const std::string fd = std::to_string(ready[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    if (pid < 0) {
        close(ready[0]);
        return;
    }
    std::string number;
    pollfd waiting{ready[0], POLLIN, 0};
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(startSeconds)) {
        if (poll(&waiting, 1, 100) <= 0)
            continue;
        char c = 0;
        if (read(ready[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(ready[0]);
    if (number.empty())
        return; // the destructor ends whatever started
    name = ":" + number;
    setenv("DISPLAY", name.c_str(), 1);
}

PrivateDisplay::~PrivateDisplay()
{
    if (hadDisplay)
        setenv("DISPLAY", previousDisplay.c_str(), 1);
    else
        unsetenv("DISPLAY");
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    const auto start = std::chrono::steady_clock::now();
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(stopSeconds)) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
