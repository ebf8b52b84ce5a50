#pragma once
#include "course/CourseName.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace vantor::scene {

struct CourseModels;

// The course pack: the courses in Models/courses/, in the order its index.txt lists them
// (one a line, the name first), which is the order N plays them in.
struct CoursePack {
    std::string folder;             // ending in '/'
    std::vector<std::string> names; // "1-meadow", ...; empty when there is no readable index

    std::string file(size_t index) const; // folder + name + ".json"
};

// Reads `folder`'s index.txt (`folder` ending in '/'); a pack without one is empty. The
// index is read up to 64 KB and at most 100 names.
CoursePack readCoursePack(const std::string& folder);

// Which course the game builds.
struct CourseChoice {
    enum class Kind {
        File,      // a course file outside the pack (the shipped level.json too)
        Pack,      // a course of the pack
        Generated, // a generated course
    };
    Kind kind = Kind::File;
    std::string file;                           // File, Pack: the course file's path
    size_t packIndex = 0;                       // Pack: its place in the pack's order
    std::string packName;                       // Pack: "1-meadow"
    uint32_t seed = 0;                          // Generated
    Difficulty difficulty = Difficulty::Medium; // Generated
};

// The name of a course in the log's "Course: " line and the demo's summary: a pack course's
// name, a generated course's full name, another file's path.
std::string courseLabel(const CourseChoice& choice);

// The course a name stands for (LANTERN_TRAIL_COURSE's value; `defaultFile` when empty): a
// generated course (plain `random` takes `clockSeed`), a course of `pack` when the name is
// the path of one of its files, else the file it names. False, with `refusal` set to the
// line to print, for a name readCourseName refuses.
bool chooseCourse(const std::string& name, const std::string& defaultFile, const CoursePack& pack,
                  uint32_t clockSeed, CourseChoice& choice, std::string& refusal);

// The text of `choice`: a generated course made from its seed and difficulty (not checked),
// a course file read as the game reads it (readLevelFile). False when the file cannot be read.
bool readChoiceText(const CourseChoice& choice, std::string& text);

// A course a tool names on its command line, as the game takes the name (without a pack: a
// file is a file; plain `random` takes `clockSeed`), and its text (readChoiceText). False
// for a name readCourseName refuses, with `refusal` set to its line, and for a file that
// cannot be read, with `refusal` left empty.
bool readNamedCourse(const std::string& name, uint32_t clockSeed, CourseChoice& choice, std::string& text,
                     std::string& refusal);

// What N plays after `current`: after a file outside the pack, the pack's first course;
// after pack course k, k + 1; after the pack's last (or with no pack), a medium generated
// course of `clockSeed`; after a generated course, the next seed (after 4294967295 comes 0),
// a difficulty harder after a win (hard stays hard), the same after a loss.
CourseChoice nextCourse(const CourseChoice& current, bool won, const CoursePack& pack, uint32_t clockSeed);

// A seed from the wall clock, for a plain `random`.
uint32_t clockSeed();

// The text of a generated course that passes the checks against `models`, seed after seed
// from `choice`'s on: each refused seed is logged to `log` as "Course random:SEED:DIFFICULTY
// refused: REASON; trying SEED+1", at most generatedCourseTries of them; `choice.seed`
// becomes the seed built. False, after one more line saying so, when every try was refused.
bool generateCheckedCourse(CourseChoice& choice, const CourseModels& models, std::ostream& log, std::string& text);

const int generatedCourseTries = 20; // refusals before the game plays its default course instead

} // namespace vantor::scene
