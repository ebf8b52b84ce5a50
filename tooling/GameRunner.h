#pragma once
#include "game/AssetPrefetch.h"
#include "platform/Clock.h"
#include "tooling/ScriptedInput.h"

// The real game (start-up, Game::init, update, render, clean-up) driven by a script
// instead of a player: keys and cursor come from `keys`, attempt times from `clock`, and
// every frame advances by the fixed time step it is given. Tests, the demo and the
// benchmark run the game through it. Needs a display (Xvfb will do).
class GameRunner {
public:
    // Opens the window at width x height (windowed) and initialises the game; may end the
    // process on a fatal start-up error, as the game does.
    GameRunner(int width, int height);
    // Destroys the game, then the window; puts the player's input and clock back.
    ~GameRunner();

    // One frame as the game loop runs it: events, the player's controls read once from
    // `input`, clear, update, render (unless `draw` is false), buffer swap and the OpenGL
    // error check. deltaTime in seconds. Returns whether the game loop would go on (false
    // after Escape or Back, as app/Frame.h says).
    bool frame(double deltaTime, bool draw = true);
    // One frame with R alone held, as a player starts the attempt again; every key is up
    // afterwards.
    void replay(double deltaTime, bool draw = true);

    ScriptedInput keys;   // the keys, cursor and pad the game reads; installed as `input` while the runner lives
    ScriptedClock clock;  // the attempt clock, advanced by every frame
    AssetPrefetch assets; // the start-up's read-ahead, finished: its counts tell what the game took of it
    long frameCount = 0;  // frames run so far

private:
    Input* previousInput;
    Clock* previousClock;
};
