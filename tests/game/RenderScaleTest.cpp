#include "game/RenderScale.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Feeds `frames` frames `interval` seconds apart, from `clock` on, and returns the scales
// the controller changed to, in order.
std::vector<float> play(RenderScaleController& controller, double& clock, double interval, int frames)
{
    std::vector<float> changes;
    for (int i = 0; i < frames; ++i) {
        clock += interval;
        if (controller.frameShown(clock))
            changes.push_back(controller.scale());
    }
    return changes;
}

// Power-of-two intervals add up exactly, so a second of frames is exactly a second.
constexpr double rate16 = 1.0 / 16.0; // 16 frames a second: slow
constexpr double rate32 = 1.0 / 32.0; // neither slow nor fast
constexpr double rate64 = 1.0 / 64.0; // fast

TEST(RenderScale, StepsAreEighthsFromAHalfToOneAndSidesRoundToAPixel)
{
    EXPECT_FLOAT_EQ(nearestRenderScale(0.8f), 0.75f);
    EXPECT_FLOAT_EQ(nearestRenderScale(0.82f), 0.875f);
    EXPECT_FLOAT_EQ(nearestRenderScale(0.1f), 0.5f);
    EXPECT_FLOAT_EQ(nearestRenderScale(3.0f), 1.0f);
    EXPECT_EQ(scaledSide(1920, 0.625f), 1200);
    EXPECT_EQ(scaledSide(1081, 0.5f), 541); // 540.5 rounds up
    EXPECT_EQ(scaledSide(1, 0.5f), 1);      // never an empty target
    EXPECT_EQ(scaledSide(801, 1.0f), 801);
}

TEST(RenderScale, TheVariableTakesAutoOrANumberAndNamesAnythingElse)
{
    std::string problem;
    RenderScaleChoice unset = readRenderScaleChoice(nullptr, problem);
    EXPECT_TRUE(unset.automatic);
    EXPECT_TRUE(problem.empty());
    EXPECT_TRUE(readRenderScaleChoice("auto", problem).automatic);
    EXPECT_TRUE(problem.empty());

    const RenderScaleChoice between = readRenderScaleChoice("0.8", problem);
    EXPECT_FALSE(between.automatic);
    EXPECT_FLOAT_EQ(between.scale, 0.75f);
    EXPECT_TRUE(problem.empty());
    EXPECT_FLOAT_EQ(readRenderScaleChoice("1", problem).scale, 1.0f);
    EXPECT_FLOAT_EQ(readRenderScaleChoice(".5", problem).scale, 0.5f);

    for (const char* bad : {"", "0.4", "1.01", "2", "-0.5", "abc", "0.5x", " 0.7", "nan", "inf", "1e0", "0x1p-1",
                            "0..7", ".", "AUTO"}) {
        const RenderScaleChoice choice = readRenderScaleChoice(bad, problem);
        EXPECT_TRUE(choice.automatic) << bad;
        EXPECT_EQ(problem, std::string("LANTERN_TRAIL_RENDER_SCALE \"") + bad +
                               "\" is not auto or a number from 0.5 to 1: the render scale follows the frame rate")
            << bad;
    }
    // A hostile value stays one bounded line.
    readRenderScaleChoice((std::string(200, '9') + "\n\x1b[2J").c_str(), problem);
    EXPECT_EQ(problem.find('\n'), std::string::npos);
    EXPECT_LT(problem.size(), 200u);
}

TEST(RenderScale, ASlowRendererStepsDownOnceASecondAndStopsAtAHalf)
{
    RenderScaleController controller({true, 1.0f});
    double clock = 0.0;
    controller.frameShown(clock); // the first frame only sets the mark
    // Sixteen frames are one second: a step down after each second, the new scale's first
    // frame only setting the mark again.
    EXPECT_EQ(play(controller, clock, rate16, 15), std::vector<float>{});
    EXPECT_EQ(play(controller, clock, rate16, 1), std::vector<float>{0.875f});
    EXPECT_EQ(play(controller, clock, rate16, 16), std::vector<float>{});
    EXPECT_EQ(play(controller, clock, rate16, 1), std::vector<float>{0.75f});
    EXPECT_EQ(play(controller, clock, rate16, 200), (std::vector<float>{0.625f, 0.5f}));
    EXPECT_FLOAT_EQ(controller.scale(), 0.5f);
}

TEST(RenderScale, AFastRendererStepsUpAfterTwoSecondsAndNeverAboveOne)
{
    RenderScaleController controller({true, 0.5f});
    double clock = 0.0;
    controller.frameShown(clock);
    EXPECT_EQ(play(controller, clock, rate64, 127), std::vector<float>{});
    EXPECT_EQ(play(controller, clock, rate64, 1), std::vector<float>{0.625f});
    // A second fast, one in between, a second fast: the streak starts again.
    controller.frameShown(clock += rate64); // the mark
    play(controller, clock, rate64, 64);
    play(controller, clock, rate32, 32);
    EXPECT_EQ(play(controller, clock, rate64, 127), std::vector<float>{});
    EXPECT_EQ(play(controller, clock, rate64, 1), std::vector<float>{0.75f});
    EXPECT_EQ(play(controller, clock, rate64, 1000), (std::vector<float>{0.875f, 1.0f}));
    EXPECT_FLOAT_EQ(controller.scale(), 1.0f);
}

TEST(RenderScale, ARateBetweenTheThresholdsAndAMachineThatKeepsUpSeeNoChange)
{
    RenderScaleController steady({true, 0.75f});
    double clock = 0.0;
    EXPECT_EQ(play(steady, clock, rate32, 3200), std::vector<float>{});
    RenderScaleController keepsUp({true, 1.0f});
    EXPECT_EQ(play(keepsUp, clock, 1.0 / 60.0, 6000), std::vector<float>{});
}

TEST(RenderScale, WaitsAndTheFirstFrameDoNotCount)
{
    RenderScaleController controller({true, 1.0f});
    // The first frame comes after the whole loading: not a slow frame.
    double clock = 30.0;
    EXPECT_FALSE(controller.frameShown(clock));
    EXPECT_EQ(play(controller, clock, rate32, 40), std::vector<float>{});
    // A minimised game waited ten seconds: the frame after it only sets the mark.
    controller.restartTiming();
    clock += 10.0;
    EXPECT_FALSE(controller.frameShown(clock));
    EXPECT_EQ(play(controller, clock, rate32, 40), std::vector<float>{});
    EXPECT_FLOAT_EQ(controller.scale(), 1.0f);
}

TEST(RenderScale, FixedKeepsItsScaleAndTheSwitchGoesToOneOrBackToAutomatic)
{
    RenderScaleController fixed({false, 0.625f});
    double clock = 0.0;
    EXPECT_EQ(play(fixed, clock, rate16, 100), std::vector<float>{});
    EXPECT_FLOAT_EQ(fixed.scale(), 0.625f);

    fixed.setAutomatic(true); // automatic from the scale it has
    EXPECT_FLOAT_EQ(fixed.scale(), 0.625f);
    EXPECT_EQ(play(fixed, clock, rate16, 17), std::vector<float>{0.5f});
    fixed.setAutomatic(false);
    EXPECT_FALSE(fixed.automatic());
    EXPECT_FLOAT_EQ(fixed.scale(), 1.0f);
    EXPECT_EQ(play(fixed, clock, rate16, 100), std::vector<float>{});
}

} // namespace
