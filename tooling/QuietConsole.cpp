#include "tooling/QuietConsole.h"

#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

QuietConsole::QuietConsole()
{
    std::cout.flush();
    std::fflush(stdout);
    saved = dup(STDOUT_FILENO);
    const int nowhere = open("/dev/null", O_WRONLY);
    if (nowhere >= 0) {
        dup2(nowhere, STDOUT_FILENO);
        close(nowhere);
    }
}

QuietConsole::~QuietConsole()
{
    std::cout.flush();
    std::fflush(stdout);
    if (saved >= 0) {
        dup2(saved, STDOUT_FILENO);
        close(saved);
    }
}
