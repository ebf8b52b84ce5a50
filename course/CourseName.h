#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace vantor::scene {

// How hard a generated course is: the dials of CourseGenerator.h turn with it.
enum class Difficulty { Easy, Medium, Hard };
const char* difficultyName(Difficulty difficulty); // "easy", "medium", "hard"

// A course named for the generator: `random`, `random:SEED` or `random:SEED:DIFFICULTY`.
struct GeneratedCourse {
    uint32_t seed = 0;                        // meaningful when seedGiven
    bool seedGiven = false;                   // false for plain `random`: the caller takes a seed from the clock
    Difficulty difficulty = Difficulty::Medium; // medium unless named
};

// What a course name on a command line or in LANTERN_TRAIL_COURSE means.
struct CourseName {
    enum class Kind {
        File,      // a course file's path (a file called "random" is reached as "./random")
        Generated, // a generated course
        Refused,   // begins with "random:" but breaks the grammar
    };
    Kind kind = Kind::File;
    GeneratedCourse generated; // Generated: the seed and difficulty
    std::string refusal;       // Refused: one line naming the value and what is allowed
};

// Reads a generated course's SEED as the name writes it, and nothing after it: 1 to 10
// decimal digits with a value from 0 to 4294967295 (leading zeros allowed, no sign, no
// spaces). False, `seed` left as it was, for any other text.
bool readCourseSeed(const std::string& text, uint32_t& seed);

// Reads a course name. SEED is 1 to 10 decimal digits with a value from 0 to 4294967295
// (leading zeros allowed, no sign, no spaces); DIFFICULTY is easy, medium or hard. Exactly
// "random" is a generated course whose seed the caller chooses; anything else that begins
// with "random:" and does not fit is refused; every other text is a file's path.
CourseName readCourseName(const std::string& name);

// `value` (a course name or path, or any other value from the environment or the command
// line) as it is shown within one line of the log, whatever it holds: at most
// printableNameBytes of its bytes, each outside printable ASCII written as \xNN, then "..."
// when it is longer.
std::string printableName(const std::string& value);
const size_t printableNameBytes = 64;

// The full name of a generated course, as the log and the next course show it:
// "random:83412:medium".
std::string generatedCourseName(uint32_t seed, Difficulty difficulty);

} // namespace vantor::scene
