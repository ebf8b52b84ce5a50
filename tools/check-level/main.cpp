// lantern-trail-check-level [--play] [--map FILE.png] [--write FILE] COURSE [MODELS_FOLDER]
//
// Checks a course file for people who write courses: every format error the game's reader
// finds, then every problem with the course's shape, then a summary. COURSE may also name a
// generated course (random, random:SEED, random:SEED:DIFFICULTY), checked as the game
// checks it; --write FILE writes the course checked into FILE, for a course author to start
// from. Options may stand anywhere among the other arguments. Exit code 0 when the course
// has no error, 1 when it has, 2 when the file cannot be read or written, the name is
// refused or the arguments are wrong.
// The walkable tops of the wall pieces and the obstacles' collision shapes come from the
// game's models: MODELS_FOLDER if given, else "../Models/" as the game reads them, else the
// models the checker was built with.
// --map FILE.png writes a picture of the course from above (tooling/CourseMap.h) with every
// error marked where it is.
// --play then lets the autopilot play the course in the real game (tooling/Playtest.h) and
// prints its verdict; without a display it runs inside a private X server. The exit code is
// 1 too when the playtest does not reach the goal.
//
// lantern-trail-check-level --proof COUNT [--first SEED] [MODELS_FOLDER]
//
// Proves the course generator: COUNT seeds of each difficulty from SEED on (1 unless given)
// are checked and played by the autopilot (tooling/CourseProof.h), one line a course, then a
// table. Exit code 1 when a course is refused or fewer than 97 % of a difficulty's courses
// reach the goal.
#include "course/CourseCheck.h"
#include "course/CourseChoice.h"
#include "course/CourseName.h"
#include "png/PngWriter.h"
#include "tooling/CourseMap.h"
#include "tooling/CourseModelFiles.h"
#include "tooling/CourseProof.h"
#include "tooling/Playtest.h"
#include "tooling/VirtualDisplay.h"

#include <filesystem>
#include <fstream>
#include <glm/vec3.hpp>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

using namespace vantor::scene;

namespace {

struct Options {
    int proofCount = 0;       // --proof COUNT; 0 checks a course instead
    uint32_t firstSeed = 1;   // --first SEED
    bool play = false;        // --play
    std::string mapFile;      // --map FILE.png; empty for no map
    std::string writeFile;    // --write FILE; empty for none
    std::string courseFile;   // COURSE
    std::string modelsFolder; // MODELS_FOLDER, ending in '/'; empty when not given
};

// A whole number from `low` to `high` in decimal digits, nothing else.
bool readNumber(const std::string& text, int low, int high, int& number)
{
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    number = std::stoi(text);
    return number >= low && number <= high;
}

// False, after printing the usage line, when the arguments do not fit it, or the line that
// says why, when --first names no seed.
bool readOptions(int argc, char** argv, Options& options)
{
    std::vector<std::string> positional;
    bool fits = true;
    for (int i = 1; i < argc && fits; ++i) {
        const std::string argument = argv[i];
        if (argument == "--play")
            options.play = true;
        else if (argument == "--map" && i + 1 < argc)
            options.mapFile = argv[++i];
        else if (argument == "--write" && i + 1 < argc)
            options.writeFile = argv[++i];
        else if (argument == "--proof" && i + 1 < argc)
            fits = readNumber(argv[++i], 1, 100000, options.proofCount);
        else if (argument == "--first" && i + 1 < argc) {
            const std::string seed = argv[++i];
            if (!readCourseSeed(seed, options.firstSeed)) {
                std::cout << "--first takes a seed, a whole number from 0 to 4294967295 (at most 10 digits), not \""
                          << printableName(seed) << "\"." << std::endl;
                return false;
            }
        }
        else if (argument.rfind("--", 0) == 0)
            fits = false;
        else
            positional.push_back(argument);
    }
    const bool proving = options.proofCount > 0;
    fits = fits && (proving ? positional.size() <= 1 && !options.play && options.mapFile.empty() &&
                                  options.writeFile.empty()
                            : !positional.empty() && positional.size() <= 2);
    if (!fits) {
        std::cout << "Usage: lantern-trail-check-level [--play] [--map FILE.png] [--write FILE] COURSE [MODELS_FOLDER]\n"
                     "       lantern-trail-check-level --proof COUNT [--first SEED] [MODELS_FOLDER]"
                  << std::endl;
        return false;
    }
    const size_t modelsAt = proving ? 0 : 1; // where MODELS_FOLDER stands among them
    if (!proving)
        options.courseFile = positional[0];
    if (positional.size() > modelsAt) {
        options.modelsFolder = positional[modelsAt];
        if (options.modelsFolder.empty() || options.modelsFolder.back() != '/')
            options.modelsFolder += "/";
    }
    return true;
}

// The models from the folder named, else from where the game reads them, else from the
// source tree; `folder` is set to the one that was read. False, with `error` set, when none
// can be read.
bool loadModels(const Options& options, CourseModels& models, std::string& folder, std::string& error)
{
    if (!options.modelsFolder.empty()) {
        folder = options.modelsFolder;
        return loadCourseModels(folder, models, error);
    }
    for (const char* candidate : {"../Models/", LANTERN_MODELS_DIR}) {
        folder = candidate;
        if (loadCourseModels(folder, models, error))
            return true;
    }
    folder = "../Models/";
    return false;
}

// Lets the autopilot play the course with the game's data in `modelsFolder`; prints its
// "Playtest: " lines, fills `ballPath` with the ball's positions and returns the exit code
// its verdict asks for (0 reached the goal).
int playCourse(const Options& options, const std::string& modelsFolder, std::vector<glm::vec3>& ballPath)
{
    PlaytestResult result = playtest(options.courseFile, modelsFolder);
    std::cout << formatPlaytest(result) << std::flush;
    ballPath = std::move(result.ballPath);
    return result.outcome == PlaytestOutcome::ReachedGoal ? 0 : 1;
}

// False, with a line saying so, when the picture cannot be written.
bool writeMap(const Options& options, const std::string& text, const CourseModels& models, const CourseReport& report,
              const std::vector<glm::vec3>& ballPath)
{
    const CourseMap map = drawCourseMap(text, models, report, ballPath);
    if (!writePng(options.mapFile, map.width, map.height, 3, map.pixels)) {
        std::cout << "FAILED: the map could not be written to " << options.mapFile << "." << std::endl;
        return false;
    }
    std::cout << "Map: " << options.mapFile << " (" << map.width << " x " << map.height << " pixels)." << std::endl;
    return true;
}

} // namespace

// The text of the course: a generated one made (plain "random" gets its seed here, and
// `options.courseFile` becomes its full name), a file read. False, after the line that
// says why, when the name is refused or the file cannot be read.
bool readCourse(Options& options, std::string& text)
{
    CourseChoice choice;
    std::string refusal;
    if (readNamedCourse(options.courseFile, clockSeed(), choice, text, refusal)) {
        options.courseFile = courseLabel(choice);
        return true;
    }
    if (!refusal.empty()) {
        std::cout << refusal << std::endl;
        return false;
    }
    std::error_code error;
    const bool folder = std::filesystem::is_directory(options.courseFile, error);
    std::cout << "FAILED: " << printableName(options.courseFile) << " could not be read"
              << (folder ? ": it is a folder, not a course file." : ".") << std::endl;
    return false;
}

// False, with a line saying so, when the course cannot be written.
bool writeCourse(const std::string& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::cout << "FAILED: the course could not be written to " << file << "." << std::endl;
        return false;
    }
    std::cout << "Written: " << file << "." << std::endl;
    return true;
}

// Proves the generator with the models the checks need; the exit code as the usage says.
int proveCourses(const Options& options)
{
    CourseModels models;
    std::string modelsFolder, error;
    if (!loadModels(options, models, modelsFolder, error)) {
        std::cout << "FAILED: the models could not be read (" << error << ")." << std::endl;
        return 2;
    }
    const std::vector<DifficultyProof> proofs =
        proveGenerator(options.proofCount, options.firstSeed, models, modelsFolder, std::cout);
    std::cout << formatProof(proofs) << std::flush;
    bool proven = true;
    for (const DifficultyProof& proof : proofs)
        proven = proven && proof.refused == 0 && proof.reached >= provenShare * proof.courses;
    return proven ? 0 : 1;
}

int main(int argc, char** argv)
{
    Options options;
    if (!readOptions(argc, argv, options))
        return 2;
    // Before anything is printed: the run inside the X server prints it all.
    if (options.play || options.proofCount > 0)
        runInsideVirtualDisplayIfNeeded(argv);
    if (options.proofCount > 0)
        return proveCourses(options);
    std::string text;
    if (!readCourse(options, text))
        return 2;

    CourseModels models;
    std::string modelsFolder, error;
    const bool haveModels = loadModels(options, models, modelsFolder, error);
    std::cout << "Checking " << printableName(options.courseFile) << std::endl;
    if (!haveModels) {
        std::cout << "WARNING: the models could not be read (" << error
                  << "); items are not checked against the walkable tops, nor pieces for a way past their obstacles."
                  << std::endl;
        models = CourseModels();
    }
    const CourseReport report = checkCourse(text, models);
    std::cout << formatCourseReport(report) << std::flush;
    int exitCode = report.errors() == 0 ? 0 : 1;
    if (!options.writeFile.empty() && !writeCourse(options.writeFile, text))
        return 2;

    std::vector<glm::vec3> ballPath; // world positions of the ball while the playtest runs
    if (options.play) {
        const int playExit = playCourse(options, modelsFolder, ballPath);
        exitCode = exitCode != 0 ? exitCode : playExit;
    }
    if (!options.mapFile.empty() && !writeMap(options, text, models, report, ballPath))
        exitCode = 2;
    return exitCode;
}
