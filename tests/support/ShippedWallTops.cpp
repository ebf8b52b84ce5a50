#include "support/ShippedWallTops.h"

#include "tooling/CourseCheck.h"

#include <gtest/gtest.h>
#include <string>

std::array<vantor::scene::WalkableTop, 3> shippedWallTops()
{
    std::array<vantor::scene::WalkableTop, 3> tops;
    std::string error;
    EXPECT_TRUE(vantor::scene::loadWallTops(std::string(LANTERN_SOURCE_DIR) + "/Models/", tops, error)) << error;
    return tops;
}
