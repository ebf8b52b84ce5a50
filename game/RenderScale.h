#pragma once
#include <string>

// The resolution scale: the 3-D picture (scene and blur targets) drawn at `scale` x the
// framebuffer's size and stretched over the window, the text kept at full size. Pure
// logic, no OpenGL, so plain tests reach it.

constexpr float minimumRenderScale = 0.5f;
constexpr float renderScaleStep = 0.125f;

// The step nearest to `scale`, clamped to minimumRenderScale..1.
float nearestRenderScale(float scale);

// One side of a scaled target: `side` x `scale` rounded to the nearest pixel, at least 1.
int scaledSide(int side, float scale);

// What the player chose at start: automatic, or a scale fixed at one step.
struct RenderScaleChoice {
    bool automatic = true;
    float scale = 1.0f; // the fixed scale; where automatic, the scale to start from
};

// Reads LANTERN_TRAIL_RENDER_SCALE's value: "auto", or a number from 0.5 to 1 (a value
// between steps goes to the nearest step). Anything else is automatic, with a one-line
// `problem` that names the value (bounded and escaped: it comes from outside); `problem`
// stays empty for a good value.
RenderScaleChoice readRenderScaleChoice(const char* text, std::string& problem);

// Follows the wall-clock time between shown frames and picks the scale: one step down
// after a second below 27 frames a second, one step up after two seconds above 40, at
// most one change a second, never below 0.5 nor above 1. Fixed, it keeps its scale.
class RenderScaleController {
public:
    static constexpr double slowRate = 27.0; // frames a second; below it for a second, a step down
    static constexpr double fastRate = 40.0; // frames a second; above it for two seconds, a step up
    static constexpr double fastSeconds = 2.0;

    explicit RenderScaleController(RenderScaleChoice choice = {false, 1.0f});

    // A frame was shown at `now` (seconds on a wall clock). Returns whether the scale
    // changed. The first frame after construction, a switch or restartTiming() only sets
    // the mark the next one is measured from.
    bool frameShown(double now);
    // The time up to the next frame is not the renderer's (the game waited, loaded...):
    // that frame only sets the mark again.
    void restartTiming();
    // F12: automatic from the scale it has, or fixed at 1.
    void setAutomatic(bool on);

    float scale() const { return currentScale; }
    bool automatic() const { return isAutomatic; }

private:
    void startWindow();

    bool isAutomatic;
    float currentScale;
    bool marked = false;       // lastFrame holds a frame's time
    double lastFrame = 0.0;    // seconds
    double windowSeconds = 0.0; // the frames measured since the window began
    int windowFrames = 0;
    double fastStreak = 0.0;   // seconds of whole windows above fastRate in a row
};
