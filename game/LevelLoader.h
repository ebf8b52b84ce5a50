#pragma once
#include <glm/vec3.hpp>
#include <string>

// The goal of the course: the origin of its last wall piece, set by Game::loadLevel.
// A course without wall pieces (or one that could not be read) has no goal; the goal test
// must then never fire, rather than declare a win near the origin.
extern glm::vec3 goalPosition; // world units; (0, 0, 0) while courseHasGoal is false
extern bool courseHasGoal;     // true once a course with at least one wall piece is built

// The course file Game::loadLevel reads: "../Models/level.json" unless the game or a tool
// sets another file before the game is initialised.
extern std::string levelFileName;

// The course a player asked for: the file the environment variable LANTERN_TRAIL_COURSE
// names when it is set and not empty (a relative path is taken from the working folder;
// scripts/run.sh makes it absolute before it changes folder), else "../Models/level.json".
std::string courseFileFromEnvironment();

