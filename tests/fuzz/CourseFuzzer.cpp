// libFuzzer target: any bytes as a course file, through the game's level reader and the
// course checker, with the wall tops and obstacle shapes of the shipped models. Besides the sanitizers' own
// findings it stops on a report that is not bounded, so a course file can never make the
// checker print (or hold) more than a few hundred lines.
#include "course/CourseCheck.h"
#include "scene/LevelFile.h"
#include "tooling/CourseModelFiles.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace vantor::scene;

namespace {
// Kinds of findings the reader and the checker have, with room to spare: each lists at
// most reportLinesPerKind lines and one "... and N more" line.
const size_t maxReportLines = 40 * (size_t(reportLinesPerKind) + 1);

CourseModels shippedModels;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::string error;
    if (!loadCourseModels(LANTERN_MODELS_DIR, shippedModels, error)) {
        std::fprintf(stderr, "course fuzzer: %s\n", error.c_str());
        std::abort();
    }
    return 0;
}

// Stops the run on a broken promise, so that libFuzzer keeps the input that broke it.
static void require(bool promise, const char* what)
{
    if (promise)
        return;
    std::fprintf(stderr, "course fuzzer: %s\n", what);
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const LevelDescription level = parseLevel(text);
    require(level.ok == level.error.empty(), "the reader's verdict and its error line disagree");
    require(level.problems.size() <= maxReportLines, "the reader lists an unbounded number of lines");

    const CourseReport report = checkCourse(text, shippedModels);
    require(report.findings.size() <= maxReportLines, "the checker lists an unbounded number of lines");
    require(level.ok || report.errors() > 0, "the checker passes a file the reader refuses");
    require(!formatCourseReport(report).empty(), "the checker prints nothing");
    return 0;
}
