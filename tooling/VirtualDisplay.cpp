#include "tooling/VirtualDisplay.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <unistd.h>
#include <vector>

namespace {
// Set for the run inside the private X server, so that a server that gives no display
// cannot make the tool start itself over and over.
const char* const insideMarker = "LANTERN_TRAIL_INSIDE_XVFB";
} // namespace

void runInsideVirtualDisplayIfNeeded(char** argv)
{
    const char* display = std::getenv("DISPLAY");
    if ((display != nullptr && display[0] != '\0') || std::getenv(insideMarker) != nullptr)
        return;
    // The program's own file, not "/proc/self/exe": inside xvfb-run that names the shell.
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        std::cout << "FAILED: there is no display, and the program could not find its own file to start it "
                     "inside a private X server." << std::endl;
        return;
    }
    self[length] = '\0';
    setenv(insideMarker, "1", 1);
    std::vector<char*> command = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"), const_cast<char*>("-s"),
                                  const_cast<char*>("-screen 0 1024x768x24 -noreset"), self};
    for (char** argument = argv + 1; *argument != nullptr; ++argument)
        command.push_back(*argument);
    command.push_back(nullptr);
    std::cout.flush();
    execvp(command[0], command.data());
    std::cout << "FAILED: there is no display and xvfb-run could not be started (" << std::strerror(errno)
              << "); install xvfb or run under a display." << std::endl;
}
