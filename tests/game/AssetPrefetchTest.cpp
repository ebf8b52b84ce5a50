#include "game/AssetPrefetch.h"

#include <gtest/gtest.h>

using vantor::scene::ModelFile;

// Read ahead or read on the spot, a take gets the same: the file the list names, read with
// the list's rules. A take out of the list's order gets its own asset, and what is never
// taken is counted when the read-ahead finishes.
TEST(AssetPrefetch, ATakeGetsTheListsAssetWhetherItWasReadAheadOrNot)
{
    AssetPrefetch readNow;
    AssetPrefetch ahead;
    ahead.start();
    for (StartUpAsset asset : {StartUpAsset::Sky, StartUpAsset::Banana, StartUpAsset::Hero}) {
        const ModelFile expected = readNow.takeModel(asset);
        const ModelFile taken = ahead.takeModel(asset);
        SCOPED_TRACE(expected.fileName);
        ASSERT_TRUE(taken.readable) << taken.error;
        EXPECT_EQ(taken.fileName, expected.fileName);
        EXPECT_EQ(taken.kind, expected.kind);
        ASSERT_EQ(taken.drawnMeshes.size(), expected.drawnMeshes.size());
        EXPECT_EQ(taken.drawnMeshes[0].positions, expected.drawnMeshes[0].positions);
        EXPECT_EQ(taken.drawnMeshes[0].tangents, expected.drawnMeshes[0].tangents);
        EXPECT_EQ(taken.collisionTriangles, expected.collisionTriangles);
        ASSERT_EQ(taken.textureSteps.size(), expected.textureSteps.size());
        EXPECT_EQ(taken.textureSteps[0].image.levels.size(), expected.textureSteps[0].image.levels.size());
    }
    const DecodedImage font = ahead.takeImage(StartUpAsset::FontAtlas);
    EXPECT_TRUE(font.decoded);
    EXPECT_GT(font.levels.size(), 1u) << "the atlas comes with its mip chain";

    ahead.finish();
    EXPECT_EQ(ahead.models.missed, 0);
    EXPECT_EQ(ahead.images.missed, 0);
    EXPECT_EQ(ahead.models.unused, startUpAssetCount - 4);
    EXPECT_EQ(ahead.images.unused, 0);
    EXPECT_EQ(readNow.models.missed + readNow.models.unused, 0) << "never started, nothing was read ahead";
}
