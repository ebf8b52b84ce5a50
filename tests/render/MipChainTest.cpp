#include "render/MipChain.h"

#include <gtest/gtest.h>

namespace {

DecodedImage imageOf(int width, int height, std::vector<unsigned char> pixels)
{
    DecodedImage image;
    image.decoded = true;
    image.levels.push_back({width, height, std::move(pixels)});
    return image;
}

} // namespace

// Each level halves the one before down to 1 x 1, as the renderer's own chain would, and
// every texel is the rounded mean of the four it covers.
TEST(MipChain, HalvesDownToOneByOneAveragingEachTwoByTwoBlock)
{
    // 4 x 2: red channel 0, 10, 20, 30 / 40, 50, 60, 71; green 255 everywhere; blue 1 or 2.
    std::vector<unsigned char> pixels;
    const unsigned char reds[8] = {0, 10, 20, 30, 40, 50, 60, 71};
    for (int i = 0; i < 8; ++i)
        pixels.insert(pixels.end(), {reds[i], 255, static_cast<unsigned char>(i % 2 + 1)});
    DecodedImage image = imageOf(4, 2, pixels);
    buildMipChain(image);

    ASSERT_EQ(image.levels.size(), 3u);
    EXPECT_EQ(image.levels[1].width, 2);
    EXPECT_EQ(image.levels[1].height, 1);
    EXPECT_EQ(image.levels[1].pixels, (std::vector<unsigned char>{25, 255, 2, 45, 255, 2}));
    EXPECT_EQ(image.levels[2].width, 1);
    EXPECT_EQ(image.levels[2].height, 1);
    EXPECT_EQ(image.levels[2].pixels, (std::vector<unsigned char>{35, 255, 2}));
}

// An odd width or height rounds down (5 x 1 gives 2 x 1, then 1 x 1), and a side of one
// texel is read twice rather than past the edge.
TEST(MipChain, OddSizesRoundDownAndNothingIsReadPastTheEdge)
{
    DecodedImage wide = imageOf(5, 1, {10, 0, 0, 20, 0, 0, 30, 0, 0, 40, 0, 0, 250, 0, 0});
    buildMipChain(wide);
    ASSERT_EQ(wide.levels.size(), 3u);
    EXPECT_EQ(wide.levels[1].width, 2);
    EXPECT_EQ(wide.levels[1].pixels, (std::vector<unsigned char>{15, 0, 0, 35, 0, 0}));
    EXPECT_EQ(wide.levels[2].pixels, (std::vector<unsigned char>{25, 0, 0}));

    DecodedImage single = imageOf(1, 1, {1, 2, 3});
    buildMipChain(single);
    EXPECT_EQ(single.levels.size(), 1u);

    DecodedImage failed;
    buildMipChain(failed);
    EXPECT_TRUE(failed.levels.empty());
}
