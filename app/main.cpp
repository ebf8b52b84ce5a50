#include "app/CommandLine.h"
#include "app/Frame.h"
#include "app/StartUp.h"
#include "app/StopSignals.h"
#include "game/Game.h"
#include "game/LevelLoader.h"
#include "game/RenderScale.h"
#include "platform/Clock.h"
#include "platform/Globals.h"
#include "platform/Window.h"

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    // First: from the start line on, a stop signal ends the game in order (after its first
    // frame when it comes during the loading).
    catchStopSignals();
    // A course name the game cannot read ends it before anything starts.
    if (!takeCourseFromEnvironment())
        return 2;
    WindowConfig config = parseCommandLine(argc, argv);
    windowWidth = config.width;
    windowHeight = config.height;
    windowed = config.windowed;
    std::cout << startLine(config) << std::endl;
    std::string scaleProblem;
    const RenderScaleChoice renderScale =
        readRenderScaleChoice(std::getenv("LANTERN_TRAIL_RENDER_SCALE"), scaleProblem);
    if (!scaleProblem.empty())
        std::cout << scaleProblem << std::endl;

    double previousFrameTime = 0.0; // seconds; the first step covers all of the loading
    startUp();
    game->chooseRenderScale(renderScale);

    while (playLoopTurn(previousFrameTime, *gameClock)) {
    }

    // The game releases GL objects, so it goes while the context still exists.
    delete game;
    game = nullptr;
    delete gameWindow;
    gameWindow = nullptr;
    return 0;
}
