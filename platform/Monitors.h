#pragma once
#include <vector>

// Choosing the monitor for full screen, kept apart from the window library so that plain
// tests reach it: the library says where each monitor lies and how large its current mode
// is, but not which one a window is on.

// A rectangle of the desktop, in screen coordinates (window units), y downwards.
struct ScreenRect {
    int x;      // left edge
    int y;      // top edge
    int width;  // to the right of x
    int height; // below y
};

// The index into `monitors` of the one that holds the largest part of `window`; the first
// (the window library lists the primary first) where none holds any of it, or where two
// hold equal parts. -1 for an empty list.
int monitorHoldingMost(const ScreenRect& window, const std::vector<ScreenRect>& monitors);

// Where a window of width x height goes so that it stands in the middle of `monitor`.
ScreenRect centredOn(const ScreenRect& monitor, int width, int height);
