#include "render/HudText.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(HudTextTest, TimeIsFlooredToHundredthsAndWrittenAsAFloat)
{
    EXPECT_EQ(formatAttemptTime(12.349), "12.34"); // floored, not rounded
    EXPECT_EQ(formatAttemptTime(7.0), "7");
    EXPECT_EQ(formatAttemptTime(12.3), "12.3");
    EXPECT_EQ(formatAttemptTime(0.009), "0");
    // 12.35 is 1234.99… hundredths in double but 1235 once rounded to float.
    EXPECT_EQ(formatAttemptTime(12.35), "12.35");
    EXPECT_EQ(formatAttemptTime(1234.567), "1234.56");
}

TEST(HudTextTest, RunningAttemptShowsTimeAndScoreOnly)
{
    HudLines hud;
    buildHudLines(12.349, 25, false, false, 800, 600, hud);
    ASSERT_EQ(hud.count, 2);
    EXPECT_EQ(hud.lines[0].text, "12.34");
    EXPECT_EQ(hud.lines[0].x, 10);
    EXPECT_EQ(hud.lines[0].y, 10);
    EXPECT_EQ(hud.lines[0].size, 26);
    EXPECT_EQ(hud.lines[1].text, "25");
    EXPECT_EQ(hud.lines[1].x, 10);
    EXPECT_EQ(hud.lines[1].y, 40);
    EXPECT_EQ(hud.lines[1].size, 30);
}

TEST(HudTextTest, EndScreenIsCentredLeftOfTheMiddle)
{
    HudLines hud;
    buildHudLines(3.0, 0, true, false, 800, 600, hud);
    ASSERT_EQ(hud.count, 5);
    EXPECT_EQ(hud.lines[2].text, "Game Over");
    EXPECT_EQ(hud.lines[2].x, 250);
    EXPECT_EQ(hud.lines[2].y, 300);
    EXPECT_EQ(hud.lines[2].size, 40);
    EXPECT_EQ(hud.lines[3].text, "Press R to replay");
    EXPECT_EQ(hud.lines[3].x, 250);
    EXPECT_EQ(hud.lines[3].y, 260);
    EXPECT_EQ(hud.lines[3].size, 20);
    EXPECT_EQ(hud.lines[4].text, "Press N for the next course");
    EXPECT_EQ(hud.lines[4].x, 250);
    EXPECT_EQ(hud.lines[4].y, 235);
    EXPECT_EQ(hud.lines[4].size, 20);

    // Odd sizes truncate; a narrow window puts the title left of the edge, not wrapped.
    buildHudLines(3.0, 0, false, true, 801, 601, hud);
    EXPECT_EQ(hud.lines[2].text, "Congrats!");
    EXPECT_EQ(hud.lines[2].x, 250);
    EXPECT_EQ(hud.lines[2].y, 300);
    EXPECT_EQ(hud.lines[3].y, 260);
    buildHudLines(3.0, 0, false, true, 200, 150, hud);
    EXPECT_EQ(hud.lines[2].x, -50);
    EXPECT_EQ(hud.lines[3].y, 35);
    EXPECT_EQ(hud.lines[4].y, 10);
}

TEST(HudTextTest, AFallOutranksTheGoal)
{
    EXPECT_STREQ(endScreenTitle(true, true), "Game Over");
    EXPECT_STREQ(endScreenTitle(false, true), "Congrats!");
    EXPECT_EQ(endScreenTitle(false, false), nullptr);
}

// The heads-up target is cleared only where text was or will be: a box that misses a cell
// leaves stale text on screen.
TEST(HudTextTest, TheTextBoxHoldsEveryCharacterCellAndNoMore)
{
    HudLines hud;
    buildHudLines(12.349, 25, false, false, 800, 600, hud);
    PixelBox running = boxOfHudLines(hud);
    // "12.34": 5 cells of 26 from (10, 10); "25": 2 of 30 from (10, 40) up to 70.
    EXPECT_EQ(running.left, 10);
    EXPECT_EQ(running.bottom, 10);
    EXPECT_EQ(running.right, 10 + 5 * 26);
    EXPECT_EQ(running.top, 70);

    buildHudLines(3.0, 0, true, false, 800, 600, hud);
    PixelBox ended = boxOfHudLines(hud);
    const int hintWidth = int(std::string("Press N for the next course").size()) * 20;
    EXPECT_EQ(ended.right, 250 + hintWidth);
    EXPECT_EQ(ended.top, 340); // the title's cells from 300
    EXPECT_EQ(ended.bottom, 10);

    // Both frames' text, clamped to a small window.
    PixelBox both = clampToTarget(unite(running, ended), 600, 320);
    EXPECT_EQ(both.left, 10);
    EXPECT_EQ(both.right, 600);
    EXPECT_EQ(both.top, 320);

    HudLines none;
    EXPECT_TRUE(boxOfHudLines(none).empty());
    EXPECT_EQ(unite(PixelBox{}, running).right, running.right);
}

} // namespace
