#pragma once
#include "course/CourseName.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace vantor::scene {

struct CourseModels;

// The course generator proven by the autopilot: seeds of each difficulty, each checked as
// the game checks a generated course before it offers it, then played once with the game's
// physics and rules (Playtest.h). Needs a display, as a playtest does.

// A seed that did not give a finished course, and why: the checks' first finding, or the
// playtest's verdict.
struct ProofFailure {
    std::string course; // "random:17:hard", to replay with the checker's --play
    std::string why;    // one line
};

// What one difficulty came to.
struct DifficultyProof {
    Difficulty difficulty = Difficulty::Medium;
    int courses = 0;                     // seeds tried
    int refused = 0;                     // of those, courses the checks refused (not played)
    int reached = 0;                     // courses on which the autopilot reached the goal
    int fruitTaken = 0;                  // fruit collected on the courses played
    int fruitTotal = 0;                  // fruit on them
    double playSeconds = 0.0;            // game time of the attempts played, to their end or limit
    double wallSeconds = 0.0;            // wall-clock time it took, checks and start-ups included
    std::vector<ProofFailure> failures;  // in seed order
};

// Plays `count` seeds from `firstSeed` on (after 4294967295 comes 0) of each difficulty,
// easy first, with the checks' `models` and the game's data in `modelsFolder` (its Models
// folder, beside Shader). Writes one line a course to `progress` as it goes.
std::vector<DifficultyProof> proveGenerator(int count, uint32_t firstSeed, const CourseModels& models,
                                            const std::string& modelsFolder, std::ostream& progress);

// The table: a line per difficulty (courses, reached the goal, fruit taken, time, refused),
// then one line per failure, then the total time.
std::string formatProof(const std::vector<DifficultyProof>& proofs);

// The share of a difficulty's courses that must reach the goal for the generator to pass.
const double provenShare = 0.97;

} // namespace vantor::scene
