// lantern-trail-check-level FILE [MODELS_FOLDER]
//
// Checks a course file for people who write courses: every format error the game's reader
// finds, then every problem with the course's shape, then a summary. Exit code 0 when the
// course has no error, 1 when it has, 2 when the file cannot be read or the arguments are wrong.
// The walkable tops of the wall pieces come from the game's wall models: MODELS_FOLDER if
// given, else "../Models/" as the game reads it, else the models the checker was built with.
#include "scene/LevelFile.h"
#include "tooling/CourseCheck.h"

#include <iostream>

using namespace vantor::scene;

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::cout << "Usage: lantern-trail-check-level FILE [MODELS_FOLDER]" << std::endl;
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
    if (!haveTops && argc == 2)
        haveTops = loadWallTops(LANTERN_MODELS_DIR, tops, error);

    std::cout << "Checking " << fileName << std::endl;
    if (!haveTops) {
        std::cout << "WARNING: the wall models could not be read (" << error
                  << "); items are not checked against the walkable tops." << std::endl;
        tops = {};
    }
    const CourseReport report = checkCourse(text, tops);
    std::cout << formatCourseReport(report) << std::flush;
    return report.errors() == 0 ? 0 : 1;
}
