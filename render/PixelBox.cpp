#include "render/PixelBox.h"

#include <algorithm>

PixelBox unite(const PixelBox& a, const PixelBox& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return {std::min(a.left, b.left), std::min(a.bottom, b.bottom), std::max(a.right, b.right),
            std::max(a.top, b.top)};
}

PixelBox clampToTarget(const PixelBox& box, int width, int height)
{
    return {std::clamp(box.left, 0, width), std::clamp(box.bottom, 0, height), std::clamp(box.right, 0, width),
            std::clamp(box.top, 0, height)};
}
