#include "tooling/GameRunner.h"

#include "app/Frame.h"
#include "app/StartUp.h"
#include "game/Game.h"
#include "platform/GL.h"
#include "platform/Globals.h"
#include "platform/SoundHandles.h"
#include "platform/Window.h"

GameRunner::GameRunner(int width, int height) : previousInput(input), previousClock(gameClock)
{
    windowWidth = width;
    windowHeight = height;
    windowed = true;
    // The camera measures mouse motion from the window centre: start the cursor there.
    keys.cursorX = double(width / 2);
    keys.cursorY = double(height / 2);
    input = &keys;
    gameClock = &clock;
    startUp(assets);
}

GameRunner::~GameRunner()
{
    delete game;
    game = nullptr;
    delete gameWindow;
    gameWindow = nullptr;
    // The game keeps its sound system for the whole process; a runner closes it, so that
    // the next runner in the same process can open the output again.
    delete fmodSystem; // releases every sound it created
    fmodSystem = nullptr;
    collectSound = loseSound = beginEndSound = nullptr;
    input = previousInput;
    gameClock = previousClock;
}

bool GameRunner::frame(double deltaTime, bool draw)
{
    glfwPollEvents();
    clock.advance(deltaTime);
    const bool goOn = playFrame(deltaTime, draw, false);
    ++frameCount;
    return goOn;
}

void GameRunner::replay(double deltaTime, bool draw)
{
    keys.releaseAll();
    keys.press(GLFW_KEY_R);
    frame(deltaTime, draw);
    keys.releaseAll();
}
