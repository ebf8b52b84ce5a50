// Rendering benchmark: runs the real game at 800 x 600 (or the size given) and a render
// scale of 1 (or the one given, or the automatic one), played by the autopilot, and prints
// per-pass and per-frame times, the frame rate, the time from launch to the first frame
// split into its phases, and the peak resident memory. Run from one level below the
// repository root (the game reads ../Models and ../Shader), under a display;
// scripts/benchmark.sh does both.
#include "game/Game.h"
#include "game/RenderScale.h"
#include "platform/GL.h"
#include "platform/Globals.h"
#include "platform/StartUpPhases.h"
#include "render/PassTiming.h"
#include "scene/GameState.h"
#include "tooling/Autopilot.h"
#include "tooling/GameRunner.h"
#include "tooling/QuietConsole.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double step = 1.0 / 60.0; // seconds of game time per frame
constexpr int warmUpFrames = 30;
constexpr int endScreenFrames = 60; // an ended attempt shows its end screen this long, then replays

using WallClock = std::chrono::steady_clock;

double millisecondsSince(WallClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(WallClock::now() - start).count();
}

// When the kernel started this process, in seconds of the boot clock (so the dynamic loader
// counts too).
double launchTime()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Field 22 (start time in clock ticks since boot) follows the command name in brackets.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i)
        fields >> field;
    return std::strtod(field.c_str(), nullptr) / double(sysconf(_SC_CLK_TCK));
}

// A figure of /proc/self/status in kilobytes: "VmHWM:" the peak resident memory, "VmRSS:"
// the resident memory now.
long statusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0)
            return std::strtol(line.c_str() + length, nullptr, 10);
    return -1;
}

// Processor seconds this process has used so far, all its threads (the renderer's too) and
// the kernel's work for it: on a machine shared with other work it varies less than the
// wall clock does.
double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    size_t index = size_t(fraction * double(values.size() - 1) + 0.5);
    return values[index];
}

void printRow(const char* name, const std::vector<double>& values)
{
    std::printf("  %-34s %8.2f %8.2f\n", name, percentile(values, 0.5), percentile(values, 0.95));
}

void printPhase(const char* name, double seconds)
{
    std::printf("  %-34s %8.3f s\n", name, seconds);
}

// The autopilot plays; an ended attempt keeps its end screen for a second, then R replays.
class ScriptedRun {
public:
    explicit ScriptedRun(GameRunner& runner) : runner(runner), pilot(game) {}

    void frame()
    {
        if (!game->state->heroFell && !game->state->goalReached) {
            pilot.steer(runner.keys);
            runner.frame(step);
        } else if (++endScreen == endScreenFrames) {
            endScreen = 0;
            runner.replay(step);
        } else {
            runner.keys.releaseAll();
            runner.frame(step);
        }
    }

private:
    GameRunner& runner;
    Autopilot pilot;
    int endScreen = 0;
};

// N at `switches` end screens, one after the other: the milliseconds from the frame N is
// pressed in to the new course's first frame drawn and finished, and the resident memory
// after the tenth switch and after the last.
struct CourseSwitches {
    std::vector<double> milliseconds; // one a switch
    long residentAfterTen = 0;  // kilobytes
    long residentAfterAll = 0;  // kilobytes
};

CourseSwitches switchCourses(GameRunner& runner, int switches)
{
    CourseSwitches figures;
    for (int k = 0; k < switches; ++k) {
        // An attempt lost, its end screen shown for a frame.
        game->state->heroFell = true;
        runner.keys.releaseAll();
        runner.frame(step);
        const WallClock::time_point pressed = WallClock::now();
        runner.keys.press(GLFW_KEY_N);
        runner.frame(step);
        glFinish();
        figures.milliseconds.push_back(millisecondsSince(pressed));
        runner.keys.releaseAll();
        if (k + 1 == 10)
            figures.residentAfterTen = statusKilobytes("VmRSS:");
    }
    figures.residentAfterAll = statusKilobytes("VmRSS:");
    return figures;
}

// Replays the attempt and warms the caches up, so that both runs start alike.
void restart(GameRunner& runner)
{
    runner.replay(step);
    for (int i = 0; i < warmUpFrames; ++i)
        runner.frame(step);
}

} // namespace

int main(int argc, char** argv)
{
    int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    int width = 800;
    int height = 600;
    char rest = 0;
    const bool sizeRead = argc <= 2 || std::sscanf(argv[2], "%dx%d%c", &width, &height, &rest) == 2;
    std::string scaleProblem;
    const RenderScaleChoice scale = readRenderScaleChoice(argc > 3 ? argv[3] : "1", scaleProblem);
    if (argc > 4 || frames <= 0 || !sizeRead || width < 16 || height < 16 || width > 8192 || height > 8192 ||
        !scaleProblem.empty()) {
        std::printf("usage: lantern-trail-benchmark [frames [WIDTHxHEIGHT [SCALE]]]  (16 to 8192 pixels a side; "
                    "SCALE 1 by default, auto, or 0.5 to 1)\n");
        return 1;
    }

    GameRunner runner(width, height);
    game->chooseRenderScale(scale);
    runner.frame(step);
    glFinish();
    const double firstFrameShown = bootClockSeconds();
    const double launched = launchTime();

    // One unmeasured run first: the renderer compiles a variant of a program the first
    // time it meets a new combination of state, and the first hundreds of frames meet many.
    restart(runner);
    ScriptedRun warmUp(runner);
    for (int i = 0; i < frames; ++i)
        warmUp.frame();

    // The whole loop as the game runs it, with no waits but the buffer swap's.
    restart(runner);
    ScriptedRun play(runner);
    std::vector<double> frameTimes;
    WallClock::time_point runStart = WallClock::now();
    const double runProcessorStart = processorSeconds();
    const float startScale = game->renderScale.scale();
    int scaleChanges = 0;
    for (int i = 0; i < frames; ++i) {
        WallClock::time_point start = WallClock::now();
        const float scaleBefore = game->renderScale.scale();
        play.frame();
        frameTimes.push_back(millisecondsSince(start));
        scaleChanges += game->renderScale.scale() != scaleBefore ? 1 : 0;
    }
    double runSeconds = millisecondsSince(runStart) / 1000.0;
    const double runProcessorSeconds = processorSeconds() - runProcessorStart;
    // The automatic scale settled in the unmeasured run; the passes are timed at the scale
    // it ended the measured run with, held fixed, since the waits between them would
    // otherwise slow the frame rate it follows.
    const float heldScale = game->renderScale.scale();
    game->chooseRenderScale({false, heldScale});

    // The same run again, waiting at every pass boundary to charge each pass its own work.
    restart(runner);
    ScriptedRun playAgain(runner);
    PassTiming timing;
    passTiming = &timing;
    std::vector<double> passTimes[renderPassCount];
    std::vector<double> passSums;
    std::vector<double> outsideTimes; // events, clear, update, swap: the frame around render()
    for (int i = 0; i < frames; ++i) {
        WallClock::time_point start = WallClock::now();
        playAgain.frame();
        double frameTime = millisecondsSince(start);
        double sum = 0.0;
        for (int pass = 0; pass < renderPassCount; ++pass) {
            passTimes[pass].push_back(timing.milliseconds[pass]);
            sum += timing.milliseconds[pass];
        }
        passSums.push_back(sum);
        outsideTimes.push_back(frameTime - sum);
    }
    passTiming = nullptr;

    // Courses one after another in the running game, the log kept out of the figures' way.
    const int switches = 200;
    CourseSwitches courses;
    {
        QuietConsole quiet;
        courses = switchCourses(runner, switches);
    }

    std::printf("Lantern Trail rendering benchmark: %d x %d, %d frames of the autopilot's play at 1/60 s\n", width, height,
                frames);
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    if (scale.automatic)
        std::printf("render scale: auto; %.3g at the measured run's start, %.3g at its end (%d changes in it); "
                    "passes timed at %.3g\n",
                    startScale, heldScale, scaleChanges, heldScale);
    else
        std::printf("render scale: %.3g (fixed)\n", heldScale);
    std::printf("  %-34s %8s %8s\n", "milliseconds per frame", "median", "p95");
    const char* passNames[renderPassCount] = {"shadow", "glow and blur", "scene", "heads-up display",
                                              "composition"};
    for (int pass = 0; pass < renderPassCount; ++pass)
        printRow(passNames[pass], passTimes[pass]);
    printRow("all passes (waiting between passes)", passSums);
    printRow("rest of the frame (update, swap...)", outsideTimes);
    printRow("whole frame (no extra waits)", frameTimes);
    std::printf("frames per second: %.1f\n", double(frames) / runSeconds);
    std::printf("processor time per frame, all threads: %.1f ms\n", runProcessorSeconds * 1000.0 / double(frames));
    // NOTE: the kernel counts the start time in clock ticks (10 ms), so the first phase is
    // only as exact as that.
    std::printf("launch to first frame: %.3f s\n", firstFrameShown - launched);
    printPhase("libraries (launch to start-up)", startUpPhases.startUpBegan - launched);
    printPhase("window and context", startUpPhases.contextReady - startUpPhases.startUpBegan);
    printPhase("programs, models, textures, course", startUpPhases.gameInitialised - startUpPhases.contextReady);
    printPhase("first draw", firstFrameShown - startUpPhases.gameInitialised);
    std::printf("peak resident memory (VmHWM): %.1f MB\n", double(statusKilobytes("VmHWM:")) / 1024.0);
    const double launchToFirstFrame = (firstFrameShown - launched) * 1000.0;
    std::printf("course switch, N to the next course's first frame (%d switches, ms): median %.1f, p95 %.1f, "
                "max %.1f; median %.2f of launch to first frame\n",
                switches, percentile(courses.milliseconds, 0.5), percentile(courses.milliseconds, 0.95),
                percentile(courses.milliseconds, 1.0), percentile(courses.milliseconds, 0.5) / launchToFirstFrame);
    std::printf("resident memory (VmRSS) after 10 switches: %.1f MB, after %d: %.1f MB (%+.1f MB)\n",
                double(courses.residentAfterTen) / 1024.0, switches, double(courses.residentAfterAll) / 1024.0,
                double(courses.residentAfterAll - courses.residentAfterTen) / 1024.0);
    return 0;
}
