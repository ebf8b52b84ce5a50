#include "tools/benchmark/DriveScript.h"

#include "app/ScriptedInput.h"
#include "game/Game.h"
#include "game/GameState.h"
#include "render/GL.h"
#include "scene/Hero.h"

namespace {
constexpr int endScreenLength = 60; // frames
constexpr int burstPeriod = 40;     // frames
constexpr int burstLength = 12;     // frames of W at the start of each period
} // namespace

void DriveScript::steer(const Game& game, ScriptedInput& keys)
{
    keys.releaseAll();
    if (game.state->heroFell || game.state->goalReached) {
        if (++endScreenFrames >= endScreenLength) {
            keys.press(GLFW_KEY_R);
            endScreenFrames = 0;
        }
    } else if (game.hero->onWall && frame % burstPeriod < burstLength) {
        keys.press(GLFW_KEY_W);
    }
    ++frame;
}
