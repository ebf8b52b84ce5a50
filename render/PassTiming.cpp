#include "render/PassTiming.h"

#include "platform/GL.h"

PassTiming* passTiming = nullptr;

void PassTiming::frameStarted()
{
    glFinish();
    passStart = std::chrono::steady_clock::now();
}

void PassTiming::passEnded(RenderPass pass)
{
    glFinish();
    auto now = std::chrono::steady_clock::now();
    milliseconds[static_cast<int>(pass)] = std::chrono::duration<double, std::milli>(now - passStart).count();
    passStart = now;
}
