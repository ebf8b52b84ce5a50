#include "platform/StopSignalMask.h"

#include <pthread.h>

sigset_t stopSignalSet()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    for (int signal : stopSignalNumbers)
        sigaddset(&stopSignals, signal);
    return stopSignals;
}

sigset_t blockStopSignals()
{
    const sigset_t stopSignals = stopSignalSet();
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &stopSignals, &previous);
    return previous;
}

void restoreSignalMask(const sigset_t& previous)
{
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}
