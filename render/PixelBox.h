#pragma once

// A rectangle of pixels (or texels) from the lower-left corner: columns left to right - 1,
// rows bottom to top - 1. Empty when right <= left or top <= bottom.
struct PixelBox {
    int left = 0;
    int bottom = 0;
    int right = 0;
    int top = 0;

    bool empty() const { return right <= left || top <= bottom; }
};

// The smallest box holding both; an empty box adds nothing.
PixelBox unite(const PixelBox& a, const PixelBox& b);
// `box` within a target of width x height pixels.
PixelBox clampToTarget(const PixelBox& box, int width, int height);
