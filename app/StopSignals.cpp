#include "app/StopSignals.h"

#include <csignal>
#include <ctime>

namespace {
volatile std::sig_atomic_t stopSignal = 0; // the signal that asked the game to stop; 0 none
timespec firstStopTime = {};               // monotonic clock when stopSignal arrived

double secondsBetween(const timespec& earlier, const timespec& later)
{
    return double(later.tv_sec - earlier.tv_sec) + double(later.tv_nsec - earlier.tv_nsec) * 1e-9;
}

// Runs with SIGTERM and SIGINT blocked (sa_mask), so it never interrupts itself. Only
// async-signal-safe calls: clock_gettime, signal, raise.
void noteStop(int signal)
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (stopSignal == 0) {
        firstStopTime = now;
        stopSignal = signal;
        return;
    }
    if (secondsBetween(firstStopTime, now) > stopGraceSeconds) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}
} // namespace

void catchStopSignals()
{
    struct sigaction action = {};
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaddset(&action.sa_mask, SIGINT);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool stopRequested()
{
    return stopSignal != 0;
}
