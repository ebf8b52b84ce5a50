#include "support/ShippedWallTops.h"

#include "tooling/CourseModelFiles.h"

#include <gtest/gtest.h>
#include <string>

std::array<vantor::scene::WalkableTop, 3> shippedWallTops()
{
    return shippedCourseModels().tops;
}

vantor::scene::CourseModels shippedCourseModels()
{
    vantor::scene::CourseModels models;
    std::string error;
    EXPECT_TRUE(vantor::scene::loadCourseModels(std::string(LANTERN_SOURCE_DIR) + "/Models/", models, error)) << error;
    return models;
}
