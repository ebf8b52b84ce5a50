#include "app/StopSignals.h"

#include <csignal>

namespace {
volatile std::sig_atomic_t stopSignal = 0; // the signal that asked the game to stop; 0 none

void noteStop(int signal)
{
    stopSignal = signal;
}
} // namespace

void catchStopSignals()
{
    struct sigaction action = {};
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: the handler runs once; the next signal takes its default course.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool stopRequested()
{
    return stopSignal != 0;
}
