#include "platform/Monitors.h"

#include <gtest/gtest.h>

// Two monitors side by side, the primary (listed first) on the right of a smaller one that
// stands a little lower, as a laptop beside a larger screen often does.
namespace {
const std::vector<ScreenRect> desk = {{0, 0, 1920, 1080}, {-1280, 200, 1280, 800}};
}

TEST(Monitors, FullScreenGoesToTheMonitorHoldingMostOfTheWindow)
{
    EXPECT_EQ(monitorHoldingMost({100, 100, 800, 600}, desk), 0) << "wholly on the primary";
    EXPECT_EQ(monitorHoldingMost({-1000, 300, 800, 600}, desk), 1) << "wholly on the left one";
    // Straddling the edge: 500 columns on the left monitor, 300 on the primary.
    EXPECT_EQ(monitorHoldingMost({-500, 300, 800, 600}, desk), 1);
    EXPECT_EQ(monitorHoldingMost({-300, 300, 800, 600}, desk), 0);
    // Across the edge but above the left monitor's top: only its lower rows count there.
    EXPECT_EQ(monitorHoldingMost({-600, 0, 800, 300}, desk), 0) << "100 rows on the left, 300 on the primary";
}

TEST(Monitors, AWindowOnNoMonitorGoesToThePrimaryAndNoMonitorToNone)
{
    EXPECT_EQ(monitorHoldingMost({5000, 5000, 800, 600}, desk), 0) << "off every monitor";
    EXPECT_EQ(monitorHoldingMost({-1280, 0, 1280, 200}, desk), 0) << "touching the left one's top edge only";
    EXPECT_EQ(monitorHoldingMost({960, 0, 1920, 1080}, {{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}}), 0)
        << "equal halves: the first";
    EXPECT_EQ(monitorHoldingMost({0, 0, 800, 600}, {}), -1);
    // Sides large enough to overflow a 32-bit area.
    EXPECT_EQ(monitorHoldingMost({0, 0, 60000, 60000}, {{0, 0, 50000, 1}, {0, 0, 50000, 50000}}), 1);
}

TEST(Monitors, AWindowComesBackCentredOnItsMonitor)
{
    const ScreenRect place = centredOn(desk[1], 800, 600);
    EXPECT_EQ(place.x, -1280 + 240);
    EXPECT_EQ(place.y, 200 + 100);
    EXPECT_EQ(place.width, 800);
    EXPECT_EQ(place.height, 600);
    // Larger than the monitor: centred all the same, reaching over every edge.
    const ScreenRect large = centredOn(desk[0], 2000, 1200);
    EXPECT_EQ(large.x, -40);
    EXPECT_EQ(large.y, -60);
}
