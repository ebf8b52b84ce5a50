// lantern-trail-check-level [--play] FILE [MODELS_FOLDER]
//
// Checks a course file for people who write courses: every format error the game's reader
// finds, then every problem with the course's shape, then a summary. With --play the
// autopilot then plays the course in the real game and the checker prints the playtest's
// verdict (see tooling/Playtest.h); without a display it runs inside a private X server.
// Exit code 0 when the course has no error (and the playtest reached the goal), 1 when it
// has (or the playtest did not), 2 when the file cannot be read or the arguments are wrong.
// The walkable tops of the wall pieces come from the game's wall models: MODELS_FOLDER if
// given, else "../Models/" as the game reads it, else the models the checker was built with.
#include "scene/LevelFile.h"
#include "tooling/CourseCheck.h"
#include "tooling/Playtest.h"
#include "tooling/VirtualDisplay.h"

#include <cstring>
#include <iostream>

using namespace vantor::scene;

int main(int argc, char** argv)
{
    // --play may stand anywhere; the other arguments keep their order.
    bool play = false;
    for (int i = 1; i < argc; ++i)
        play = play || std::strcmp(argv[i], "--play") == 0;
    // Before anything is printed: the run inside the X server prints it all.
    if (play)
        runInsideVirtualDisplayIfNeeded(argv);
    int kept = 1;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--play") != 0)
            argv[kept++] = argv[i];
    argc = kept;
    if (argc < 2 || argc > 3) {
        std::cout << "Usage: lantern-trail-check-level [--play] FILE [MODELS_FOLDER]" << std::endl;
        return 2;
    }
    const std::string fileName = argv[1];
    std::string text;
    if (!readLevelFile(fileName, text)) {
        std::cout << "FAILED: " << fileName << " could not be read." << std::endl;
        return 2;
    }

    std::array<WalkableTop, 3> tops;
    std::string error;
    std::string folder = argc == 3 ? std::string(argv[2]) : std::string("../Models/");
    if (!folder.empty() && folder.back() != '/')
        folder += "/";
    bool haveTops = loadWallTops(folder, tops, error);
    if (!haveTops && argc == 2) {
        folder = LANTERN_MODELS_DIR;
        haveTops = loadWallTops(folder, tops, error);
    }

    std::cout << "Checking " << fileName << std::endl;
    if (!haveTops) {
        std::cout << "WARNING: the wall models could not be read (" << error
                  << "); items are not checked against the walkable tops." << std::endl;
        tops = {};
    }
    const CourseReport report = checkCourse(text, tops);
    std::cout << formatCourseReport(report) << std::flush;
    bool playedThrough = true;
    if (play) {
        const PlaytestResult result = playtest(fileName, folder);
        std::cout << formatPlaytest(result) << std::flush;
        playedThrough = result.outcome == PlaytestOutcome::ReachedGoal;
    }
    return report.errors() == 0 && playedThrough ? 0 : 1;
}
