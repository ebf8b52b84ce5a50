#include "support/CaptureStdout.h"
#include "support/GLContext.h"
#include "tooling/GameRunner.h"

#include <gtest/gtest.h>

// The worker reads every asset of the start-up's list and the start-up takes each of them
// in once: an asset the game loads beside the list, or takes twice, shows here, not only
// as a slower start.
TEST(AssetPrefetch, TheStartUpTakesEveryAssetReadAheadOnce)
{
    std::string failure;
    ASSERT_TRUE(startWindowLibrary(failure)) << failure;
    CaptureStdout capture;
    GameRunner runner(64, 64);
    const std::string log = capture.text();
    EXPECT_NE(log.find("Init complete"), std::string::npos) << log;
    EXPECT_EQ(runner.assets.models.missed, 0);
    EXPECT_EQ(runner.assets.models.unused, 0);
    EXPECT_EQ(runner.assets.images.missed, 0);
    EXPECT_EQ(runner.assets.images.unused, 0);
}
