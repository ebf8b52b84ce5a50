#include "app/StopSignals.h"

#include "platform/FatalExit.h"
#include "platform/StopSignalMask.h"

#include <atomic>
#include <csignal>
#include <ctime>

namespace {
constexpr long long noStop = -1; // firstStopTime before any stop signal

// Monotonic clock when the first stop signal arrived, in nanoseconds; noStop until then.
// One lock-free word, set by compare-and-swap: two handlers at once (on two threads) agree
// on which signal came first, and a repeat never sees a stop without its time.
std::atomic<long long> firstStopTime{noStop};
static_assert(std::atomic<long long>::is_always_lock_free,
              "the stop handler's state must be lock-free to be safe in a signal handler");

// Runs with SIGTERM and SIGINT blocked (sa_mask), so it never interrupts itself on one
// thread. Only async-signal-safe calls: clock_gettime, lock-free atomics, signal, raise.
void noteStop(int signal)
{
    timespec clock = {};
    clock_gettime(CLOCK_MONOTONIC, &clock);
    const long long now = clock.tv_sec * 1000000000LL + clock.tv_nsec;
    long long first = noStop;
    if (firstStopTime.compare_exchange_strong(first, now))
        return;
    // A handler that read the clock before the first one stored its time sees a negative
    // gap: it is a repeat within the grace time as well.
    if (double(now - first) * 1e-9 > stopGraceSeconds) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}
} // namespace

void catchStopSignals()
{
    struct sigaction action = {};
    action.sa_handler = noteStop;
    action.sa_mask = stopSignalSet();
    action.sa_flags = SA_RESTART;
    for (int signal : stopSignalNumbers)
        sigaction(signal, &action, nullptr);
    setConsolePauseStop(stopRequested);
}

bool stopRequested()
{
    return firstStopTime.load() != noStop;
}
