#pragma once

// Where the game reads the time of an attempt: the window library's clock while a player
// plays; a scripted clock when tests or the autopilot run the game at fixed time steps,
// so that attempt times are simulated seconds and runs repeat exactly.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() = 0; // seconds
};

// The window library's clock (seconds since it was initialised).
class GlfwClock : public Clock {
public:
    double now() override;
};

// Time that moves only when told to.
class ScriptedClock : public Clock {
public:
    double now() override { return seconds; }
    void advance(double deltaTime) { seconds += deltaTime; }

    double seconds = 0.0; // the current time
};

// The current clock; never null. Starts as a GlfwClock that lives for the whole run.
extern Clock* gameClock;
