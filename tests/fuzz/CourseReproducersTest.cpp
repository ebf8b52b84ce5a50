// Every course file that once broke the reader or the checker (tests/fuzz/reproducers/:
// files from the course fuzzer and from attacks by hand) is replayed here on each test run.
// The fuzz run replays them with the sanitizers as well, since they are part of its corpus.
#include "course/CourseCheck.h"
#include "scene/LevelFile.h"
#include "support/ShippedWallTops.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace vantor::scene;

TEST(CourseReproducers, EachIsAnsweredWithABoundedReportOfItsErrors)
{
    const CourseModels models = shippedCourseModels();
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(LANTERN_SOURCE_DIR "/tests/fuzz/reproducers")) {
        std::string text;
        ASSERT_TRUE(readLevelFile(entry.path().string(), text)) << entry.path();
        const CourseReport report = checkCourse(text, models);
        EXPECT_GT(report.errors(), 0) << entry.path(); // none of them is a sound course
        EXPECT_LE(report.findings.size(), 100u) << entry.path() << "\n" << formatCourseReport(report);
        ++replayed;
    }
    EXPECT_GE(replayed, 2);
}
