#pragma once

// When the start-up reached each of its stages, in seconds of the system's boot clock (the
// clock the kernel's process start time is counted in), so that a benchmark can split the
// time from launch to the first frame into its phases. Zero until the stage is reached.
struct StartUpPhases {
    double startUpBegan = 0.0;   // startUp() entered: the shared libraries are loaded
    double contextReady = 0.0;   // the window is open and its OpenGL context usable
    double gameInitialised = 0.0; // Game::init returned: programs, models, textures, course
};

extern StartUpPhases startUpPhases; // written by startUp()

// Seconds since boot, counting suspended time: the clock of /proc/<pid>/stat's start time.
double bootClockSeconds();
