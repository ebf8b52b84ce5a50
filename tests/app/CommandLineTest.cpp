#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {
std::string lineFor(std::vector<const char*> args)
{
    args.insert(args.begin(), "lantern-trail");
    return startLine(parseCommandLine(int(args.size()), args.data()));
}
} // namespace

TEST(CommandLine, AnyCountButThreeKeepsTheDefaults)
{
    const std::string defaults = "Starting game with 800x600 and windowmode = 1";
    EXPECT_EQ(lineFor({}), defaults);
    EXPECT_EQ(lineFor({"1024"}), defaults);
    EXPECT_EQ(lineFor({"1024", "768"}), defaults);
    EXPECT_EQ(lineFor({"1024", "768", "0", "7"}), defaults);
}

TEST(CommandLine, ThreeArgumentsSetSizeAndMode)
{
    EXPECT_EQ(lineFor({"1024", "768", "1"}), "Starting game with 1024x768 and windowmode = 0");
    EXPECT_EQ(lineFor({"640", "480", "0"}), "Starting game with 640x480 and windowmode = 1");
    EXPECT_EQ(lineFor({"640", "480", "-3"}), "Starting game with 640x480 and windowmode = 0");
}

TEST(CommandLine, NumbersAreReadUnchecked)
{
    EXPECT_EQ(lineFor({"abc", "def", "ghi"}), "Starting game with 0x0 and windowmode = 1");
    EXPECT_EQ(lineFor({"12px", "-5", "0"}), "Starting game with 12x-5 and windowmode = 1");
}
