#pragma once
#include <glm/vec3.hpp>
#include <string>

// The goal of the course: the origin of its last wall piece, set by Game::loadLevel.
// A course without wall pieces (or one that could not be read) has no goal; the goal test
// must then never fire, rather than declare a win near the origin.
extern glm::vec3 goalPosition; // world units; (0, 0, 0) while courseHasGoal is false
extern bool courseHasGoal;     // true once a course with at least one wall piece is built

// The course Game::loadLevel builds first: a course file's path or a generated course's
// name (course/CourseName.h); shippedCourseFile unless the game or a tool sets another
// before the game is initialised.
extern std::string courseName;

// The course the game plays when no other is asked for, and the folder of the course pack
// that N moves through, both relative to the working folder.
extern const char* const shippedCourseFile; // "../Models/level.json"
extern const char* const coursePackFolder;  // "../Models/courses/"

// The course a player asked for: what the environment variable LANTERN_TRAIL_COURSE names
// when it is set and not empty (a relative path is taken from the working folder;
// scripts/run.sh makes it absolute before it changes folder), else shippedCourseFile.
std::string courseNameFromEnvironment();
// Sets courseName to courseNameFromEnvironment(); false, after printing the one line that
// names the value and what is allowed, for a name that begins with "random:" but is no
// generated course's. The game and the demo then end with exit code 2 before they start
// anything.
bool takeCourseFromEnvironment();

