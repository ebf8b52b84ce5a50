#include "game/RenderScale.h"

#include "course/CourseName.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

float nearestRenderScale(float scale)
{
    const float clamped = std::clamp(scale, minimumRenderScale, 1.0f);
    return std::round(clamped / renderScaleStep) * renderScaleStep;
}

int scaledSide(int side, float scale)
{
    return std::max(1, int(std::lround(double(side) * double(scale))));
}

RenderScaleChoice readRenderScaleChoice(const char* text, std::string& problem)
{
    problem.clear();
    if (text == nullptr || std::strcmp(text, "auto") == 0)
        return {};
    // strtod alone would take " 0.5", "0x1p-1", "nan" or "1e0": the value is digits and one point.
    const bool plainNumber = text[0] != '\0' && std::strspn(text, "0123456789.") == std::strlen(text) &&
                             std::count(text, text + std::strlen(text), '.') <= 1 && std::strcmp(text, ".") != 0;
    const double value = plainNumber ? std::strtod(text, nullptr) : -1.0;
    if (value < double(minimumRenderScale) || value > 1.0) {
        problem = "LANTERN_TRAIL_RENDER_SCALE \"" + vantor::scene::printableName(text) +
                  "\" is not auto or a number from 0.5 to 1: the render scale follows the frame rate";
        return {};
    }
    return {false, nearestRenderScale(float(value))};
}

RenderScaleController::RenderScaleController(RenderScaleChoice choice)
    : isAutomatic(choice.automatic), currentScale(nearestRenderScale(choice.scale))
{
}

void RenderScaleController::startWindow()
{
    windowSeconds = 0.0;
    windowFrames = 0;
}

void RenderScaleController::restartTiming()
{
    marked = false;
}

void RenderScaleController::setAutomatic(bool on)
{
    isAutomatic = on;
    if (!on)
        currentScale = 1.0f;
    marked = false;
    startWindow();
    fastStreak = 0.0;
}

bool RenderScaleController::frameShown(double now)
{
    const double interval = now - lastFrame;
    const bool counted = marked && isAutomatic;
    marked = true;
    lastFrame = now;
    if (!counted)
        return false;

    // The rate over whole seconds, not frame by frame: one slow frame is a hitch, not a
    // renderer that cannot keep up.
    windowSeconds += std::max(interval, 0.0);
    ++windowFrames;
    if (windowSeconds < 1.0)
        return false;
    const double rate = double(windowFrames) / windowSeconds;
    const double seconds = windowSeconds;
    startWindow();

    float next = currentScale;
    if (rate < slowRate) {
        next = std::max(minimumRenderScale, currentScale - renderScaleStep);
        fastStreak = 0.0;
    } else if (rate > fastRate) {
        fastStreak += seconds;
        if (fastStreak >= fastSeconds)
            next = std::min(1.0f, currentScale + renderScaleStep);
    } else {
        fastStreak = 0.0;
    }
    if (next == currentScale)
        return false;
    currentScale = next;
    fastStreak = 0.0;
    // The frame that made the new targets is the new scale's first: it sets the mark.
    marked = false;
    return true;
}
