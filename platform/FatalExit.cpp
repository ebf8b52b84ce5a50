#include "platform/FatalExit.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

void pauseConsole()
{
    if (!isatty(STDIN_FILENO))
        return;
    std::cout << "Press Enter to continue . . ." << std::flush;
    std::getchar();
}

namespace {
void (*fatalExitHook)() = nullptr; // set by setFatalExitHook
}

void setFatalExitHook(void (*hook)())
{
    fatalExitHook = hook;
}

[[noreturn]] void fatalExit(const std::string& line)
{
    std::cout << line << std::endl;
    pauseConsole();
    if (fatalExitHook != nullptr)
        fatalExitHook();
    std::exit(-1);
}
