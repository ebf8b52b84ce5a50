#pragma once
class Game;
class ScriptedInput;

// A fixed way through the shipped course for measuring: wait until the ball lands, then
// roll forward in short bursts of W. After a fall or at the goal the end screen stays for a
// second, then R starts the attempt again. Same frames in, same keys out.
class DriveScript {
public:
    // Sets the keys for the next frame from the state the last frame left.
    void steer(const Game& game, ScriptedInput& keys);

    long frame = 0;             // frames steered so far
    int endScreenFrames = 0;    // frames the current end screen has been shown
};
