#include "platform/FatalExit.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <iostream>

// Tests and CI have no terminal on standard input: the pause must not wait.
TEST(FatalExitDeathTest, PrintsItsLineAndExitsWithMinusOneWithoutWaiting)
{
    EXPECT_EXIT(
        {
            std::freopen("/dev/null", "r", stdin);
            std::cout.rdbuf(std::cerr.rdbuf());
            fatalExit("Failed to open window");
        },
        testing::ExitedWithCode(255), "^Failed to open window\n$");
}
