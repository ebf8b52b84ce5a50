#include "platform/FatalExit.h"

#include "platform/StopSignalMask.h"

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <poll.h>
#include <unistd.h>

namespace {
bool (*pauseStop)() = nullptr;      // set by setConsolePauseStop
void (*fatalExitHook)() = nullptr; // set by setFatalExitHook
} // namespace

void setConsolePauseStop(bool (*stopRequested)())
{
    pauseStop = stopRequested;
}

void pauseConsole()
{
    if (!isatty(STDIN_FILENO) || (pauseStop != nullptr && pauseStop()))
        return;
    std::cout << "Press Enter to continue . . ." << std::flush;
    // The stop signals stay blocked except inside ppoll, which lets them through and waits
    // in one step: one that arrives after the check below still interrupts the wait.
    const sigset_t previousMask = blockStopSignals();
    sigset_t waitingMask = previousMask;
    for (int signal : stopSignalNumbers)
        sigdelset(&waitingMask, signal);
    while (pauseStop == nullptr || !pauseStop()) {
        pollfd input = {STDIN_FILENO, POLLIN, 0};
        if (ppoll(&input, 1, nullptr, &waitingMask) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        // The terminal hands over whole lines: read up to the line end, or the end of input.
        char c = 0;
        const ssize_t count = read(STDIN_FILENO, &c, 1);
        if (count < 0 && errno == EINTR)
            continue;
        if (count != 1 || c == '\n')
            break;
    }
    restoreSignalMask(previousMask);
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
