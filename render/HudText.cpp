#include "render/HudText.h"

#include "render/TextOverlayGeometry.h"

#include <algorithm>
#include <cmath>
#include <sstream>

std::string formatAttemptTime(double seconds)
{
    // Rounded to single precision before the floor, so 12.35 s computed as 1234.9999… in
    // double still shows as 12.35 when the float says so.
    const float hundredths = std::floor(static_cast<float>(seconds * 100.0));
    std::ostringstream text;
    text << hundredths / 100.0f;
    return text.str();
}

const char* endScreenTitle(bool heroFell, bool goalReached)
{
    if (heroFell)
        return "Game Over";
    if (goalReached)
        return "Congrats!";
    return nullptr;
}

void buildHudLines(double elapsedSeconds, int score, bool heroFell, bool goalReached, int windowWidth,
                   int windowHeight, HudLines& hud)
{
    hud.lines[0] = {formatAttemptTime(elapsedSeconds), 10, 10, 26};
    hud.lines[1] = {std::to_string(score), 10, 40, 30};
    hud.count = 2;

    const char* title = endScreenTitle(heroFell, goalReached);
    if (title == nullptr)
        return;
    // Computed in float and truncated toward zero, as the window's half size is.
    const int left = static_cast<int>(static_cast<float>(windowWidth) * 0.5f - 150.0f);
    const float middle = static_cast<float>(windowHeight) * 0.5f;
    hud.lines[2] = {title, left, static_cast<int>(middle), 40};
    hud.lines[3] = {"Press R to replay", left, static_cast<int>(middle - 40.0f), 20};
    hud.lines[4] = {"Press N for the next course", left, static_cast<int>(middle - 65.0f), 20};
    hud.count = 5;
}

PixelBox boxOfHudLines(const HudLines& hud)
{
    PixelBox box;
    for (int i = 0; i < hud.count; ++i) {
        const HudLine& line = hud.lines[i];
        const int characters = int(std::min(line.text.size(), size_t(maxTextCharacters)));
        if (characters > 0 && line.size > 0)
            box = unite(box, {line.x, line.y, line.x + characters * line.size, line.y + line.size});
    }
    return box;
}
