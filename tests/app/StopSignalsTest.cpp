#include "app/StopSignals.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

// The first stop is only noted (the frame loop ends the game); the same stop repeated at
// once (`timeout`, a logout) is absorbed; one after the grace time (a player pressing
// Ctrl+C again at a game that hangs) ends the process with the signal's default action.
TEST(StopSignalsDeathTest, TheFirstIsNotedARepeatAbsorbedALateOneEndsTheProcess)
{
    EXPECT_EXIT(
        {
            catchStopSignals();
            if (stopRequested())
                std::_Exit(1);
            std::raise(SIGTERM);
            if (!stopRequested())
                std::_Exit(2);
            std::raise(SIGINT);
            std::raise(SIGTERM);
            std::this_thread::sleep_for(std::chrono::duration<double>(stopGraceSeconds + 0.25));
            std::raise(SIGINT);
            std::_Exit(3);
        },
        testing::KilledBySignal(SIGINT), "");
}
