// The player's own pad mappings (LANTERN_TRAIL_PAD_MAPPINGS): taken by the window library,
// or one line that says which line of the file it did not take.
#include "platform/Gamepads.h"
#include "support/GLContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(Gamepads, MappingFileIsTakenOrItsFirstBadLineIsNamed)
{
    std::string failure;
    ASSERT_TRUE(startWindowLibrary(failure)) << failure;
    TempDir folder;
    const std::string pad = "03000000de280000ff11000001000000,Living Room Pad,a:b0,b:b1,back:b6,start:b7,"
                            "leftx:a0,lefty:a1,dpup:h0.1,platform:Linux,";

    const std::string missing = folder.path("missing.txt");
    EXPECT_EQ(addPadMappings(missing), "Gamepad mappings not read: cannot open " + missing);

    const std::string good = folder.write("good.txt", "# the pads at home\n\n" + pad + "\r\n");
    EXPECT_EQ(addPadMappings(good), "Gamepad mappings read from " + good + ": 1");

    const std::string prose = folder.write("prose.txt", pad + "\nmy pad: A jumps\n");
    EXPECT_EQ(addPadMappings(prose), "Gamepad mappings in " + prose + " not understood at line 2: not a mapping");

    const std::string shortGuid = folder.write("short.txt", "03000000de28,Pad,a:b0,\n" + pad + "\n");
    const std::string verdict = addPadMappings(shortGuid);
    EXPECT_EQ(verdict.rfind("Gamepad mappings in " + shortGuid + " not understood at line 1: ", 0), 0u) << verdict;
    EXPECT_GT(verdict.size(), ("Gamepad mappings in " + shortGuid + " not understood at line 1: ").size()) << verdict;
}
