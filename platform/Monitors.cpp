#include "platform/Monitors.h"

#include <algorithm>

namespace {
// The area two rectangles share, in square units; 0 when they only touch or lie apart.
long long overlap(const ScreenRect& a, const ScreenRect& b)
{
    const long long width = std::min<long long>(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const long long height = std::min<long long>(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return width > 0 && height > 0 ? width * height : 0;
}
} // namespace

int monitorHoldingMost(const ScreenRect& window, const std::vector<ScreenRect>& monitors)
{
    if (monitors.empty())
        return -1;
    int best = 0;
    long long bestArea = 0;
    for (int i = 0; i < int(monitors.size()); ++i) {
        const long long area = overlap(window, monitors[i]);
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

ScreenRect centredOn(const ScreenRect& monitor, int width, int height)
{
    return ScreenRect{monitor.x + (monitor.width - width) / 2, monitor.y + (monitor.height - height) / 2, width,
                      height};
}
