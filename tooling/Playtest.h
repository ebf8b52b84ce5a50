#pragma once
#include <glm/vec3.hpp>
#include <string>
#include <vector>

// A course played once by the autopilot with the real game (its physics, contacts, goal
// and fall tests) at fixed 1/60 s steps, without drawing a frame, and what came of it.
// The game needs an OpenGL context even when nothing is drawn, so a display is needed
// (Xvfb will do; see VirtualDisplay.h).

// Seconds of play an autopilot attempt is given on a course whose centre line is
// `pathLength` world units long: a minute, plus 5 seconds for every unit of path. The
// autopilot averages 1.5 to 2 units a second on most courses, but only 0.25 on curve after
// curve with fruit in every slot, where it crosses the slot rows back and forth; a course
// of 2,350 units is given 3.3 hours of play (a few minutes of wall-clock time). The demo
// gives up its attempts at the same mark.
double attemptTimeLimit(float pathLength);

enum class PlaytestOutcome { ReachedGoal, Fell, DidNotFinish, NotStarted };

// A fruit the autopilot did not collect, where the level file put it.
struct MissedFruit {
    int element;      // index into the level file's "elements"
    std::string slot; // "lv" ... "rh"
    std::string kind; // "banana" or "apple"
};

struct PlaytestResult {
    PlaytestOutcome outcome = PlaytestOutcome::NotStarted; // how the attempt ended
    std::string failure;               // NotStarted: why
    double seconds = 0.0;              // game time of the attempt: to its end, or the limit
    double limitSeconds = 0.0;         // attemptTimeLimit of the course
    int score = 0;                     // points at the end
    int fruitCollected = 0;            // fruit the ball picked up
    int fruitTotal = 0;                // fruit on the course
    int lastElement = -1;              // Fell, DidNotFinish: the element the ball last rolled on
    std::vector<MissedFruit> missed;   // in course order
    std::vector<glm::vec3> ballPath;   // world positions of the ball, every pathSampleFrames frames
    long frames = 0;                   // frames played
};

const int pathSampleFrames = 10; // frames between two samples of PlaytestResult::ballPath

// Plays the course `course` names once: a level file's path or a generated course's name
// (a plain "random" takes a seed from the clock). A generated course the game's own checks
// refuse is not played: the game would build another. The game reads its data as "../Models/"
// and "../Shader/", so the playtest works from inside `modelsFolder` (the game's Models
// folder, beside its Shader folder) and puts the working folder back afterwards; a relative
// path is taken from the working folder of the caller. The game's own console log is kept
// out of standard output meanwhile. Opens and closes a small window; may end the process
// on a fatal start-up error, as the game does.
PlaytestResult playtest(const std::string& course, const std::string& modelsFolder);

// "Playtest: reached the goal in 46.23 s, score 215, fruit 18 of 19" (or "fell at element
// 7 after 12.40 s, ..." or "did not finish in 150 s, last at element 9, ..."), then one line for each fruit
// not collected: "  not collected: element 4, slot rh, apple". Every line ends in '\n'.
std::string formatPlaytest(const PlaytestResult& result);
