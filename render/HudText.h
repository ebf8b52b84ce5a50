#pragma once
#include "render/PixelBox.h"

#include <string>

// What the heads-up display writes and where, free of OpenGL: the Game draws each line
// with TextOverlay::drawText.

// One text of the display; positions in pixels from the lower-left corner, y upwards.
struct HudLine {
    std::string text; // drawn literally
    int x;            // pixels
    int y;            // pixels
    int size;         // pixels per character cell
};

// Up to five lines: time, score, and on an ended attempt the title, the replay hint and the
// next-course hint.
struct HudLines {
    HudLine lines[5]; // the first `count` are set
    int count = 0;    // 2 while the attempt runs, 5 once it has ended
};

// The character cells the lines cover (each line's characters in size x size cells, as
// TextOverlay draws them): outside it the heads-up image stays transparent.
PixelBox boxOfHudLines(const HudLines& hud);

// The attempt time floored to hundredths (12.349 s -> "12.34", 7 s -> "7"), written as a
// float stream writes it. `seconds` is end minus start, in double as the clock gives it.
std::string formatAttemptTime(double seconds);

// "Game Over" after a fall (even when the goal was also reached), "Congrats!" at the goal,
// null while the attempt runs.
const char* endScreenTitle(bool heroFell, bool goalReached);

// Fills `hud` with the lines of one frame in a window of the given size.
void buildHudLines(double elapsedSeconds, int score, bool heroFell, bool goalReached, int windowWidth,
                   int windowHeight, HudLines& hud);
