#include "support/GameProcess.h"

#include <gtest/gtest.h>

namespace {
// Where `lines` appear in `text`, in order; npos for a missing one.
std::vector<size_t> positionsOf(const std::string& text, const std::vector<std::string>& lines)
{
    std::vector<size_t> positions;
    for (const std::string& line : lines)
        positions.push_back(text.find(line));
    return positions;
}
} // namespace

// The real game, played with real key presses through the X server.
TEST(Play, StartUpLogInOrderThenHoldingWMeetsTheCourse)
{
    GameProcess game;
    ASSERT_FALSE(game.waitForWindow(60).empty()) << game.output();
    ASSERT_TRUE(game.waitForOutput("Init complete", 60)) << game.output();

    std::vector<size_t> at = positionsOf(game.output(), {
        ">>> Load Shader\n", "Reading file (../Models/hero.dae)", ">>> Load Levelfile", "OK: JSON-File read",
        ">>> Load Music\n", ">>> Load Sound\n", ">>> Init Bullet\n",
        "<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<< Init complete >>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>\n"});
    for (size_t i = 0; i < at.size(); ++i) {
        ASSERT_NE(at[i], std::string::npos) << "line " << i << " missing:\n" << game.output();
        if (i > 0) {
            EXPECT_LT(at[i - 1], at[i]) << "line " << i << " out of order";
        }
    }

    // Let the ball land, then roll straight on: it meets fruit, an obstacle or the edge
    // within a few seconds of game time. A machine busy with other tests draws few frames a
    // second, and the game's time runs slower below ten, so W is held until then, within
    // a generous limit.
    for (int second = 0; second < 30 && !ballMetTheCourse(game.output()); ++second)
        game.pressKey("w", 1.0);
    EXPECT_TRUE(ballMetTheCourse(game.output())) << game.output();

    game.pressKey("Escape");
    EXPECT_EQ(game.waitForExit(30), 0) << game.output();
}
