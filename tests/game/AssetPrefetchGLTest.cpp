#include "model/ModelImport.h"
#include "render/Texture.h"
#include "support/CaptureStdout.h"
#include "support/GLContext.h"
#include "tooling/GameRunner.h"

#include <gtest/gtest.h>

// The worker reads exactly what Game::init loads, in its order: a start-up takes every asset
// read ahead and reads none of them a second time. A file added to the start-up but not to
// the worker's list (or the other way round) shows here, not only as a slower start.
TEST(AssetPrefetch, TheStartUpTakesEveryAssetReadAheadInItsOrder)
{
    std::string failure;
    ASSERT_TRUE(startWindowLibrary(failure)) << failure;
    std::string log;
    {
        CaptureStdout capture;
        GameRunner runner(64, 64);
        log = capture.text();
    }
    EXPECT_NE(log.find("Init complete"), std::string::npos) << log;
    EXPECT_EQ(vantor::scene::prefetchedModels.missed, 0);
    EXPECT_EQ(vantor::scene::prefetchedModels.unused, 0);
    EXPECT_EQ(prefetchedImages.missed, 0);
    EXPECT_EQ(prefetchedImages.unused, 0);
}
