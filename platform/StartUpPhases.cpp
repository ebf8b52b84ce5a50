#include "platform/StartUpPhases.h"

#include <ctime>

StartUpPhases startUpPhases;

double bootClockSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}
