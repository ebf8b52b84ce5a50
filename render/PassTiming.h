#pragma once
#include <chrono>

// The passes of a full frame, in the order render() runs them.
enum class RenderPass { Shadow, GlowAndBlur, Scene, Hud, Composition };
constexpr int renderPassCount = 5;

// Wall-clock time of each pass of the last full frame. The software renderer defers its
// work until something waits for it, so every boundary waits (glFinish) to charge each pass
// with the drawing it queued. The waits slow the frame down: only the benchmark installs one.
class PassTiming {
public:
    void frameStarted();              // before the first pass; waits for earlier work
    void passEnded(RenderPass pass);  // after each pass; waits for its work

    double milliseconds[renderPassCount] = {}; // per pass, indexed by RenderPass, last full frame

private:
    std::chrono::steady_clock::time_point passStart;
};

extern PassTiming* passTiming; // not owned; null unless a benchmark measures the passes
