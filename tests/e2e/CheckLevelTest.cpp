#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// The checker program: its verdict is in its exit code, for scripts that write courses.
TEST(CheckLevel, ExitCodeTellsAGoodCourseFromABrokenOneOrAMissingFile)
{
    GameProcess shipped({"../Models/level.json"}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(shipped.waitForExit(60), 0) << shipped.output();
    EXPECT_NE(shipped.output().find("OK: the course has no errors."), std::string::npos) << shipped.output();

    TempDir folder;
    const std::string broken = folder.write("broken.json", "{\"elements\": [{\"typ\": 1, \"obstacles\": {}}]}");
    GameProcess check({broken}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(check.waitForExit(60), 1) << check.output();
    // Nine rollers by default, and a lone straight piece is no course.
    EXPECT_NE(check.output().find("all three lanes"), std::string::npos) << check.output();
    EXPECT_NE(check.output().find("no end piece"), std::string::npos) << check.output();

    GameProcess missing({folder.path("none.json")}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(missing.waitForExit(60), 2) << missing.output();
}
