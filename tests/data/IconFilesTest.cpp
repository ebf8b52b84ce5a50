// The desktop icons in package/icons/ are what the generator writes, and they show the ball:
// round, opaque, on a transparent background, in the ball's colours.
#include "data/DataFiles.h"
#include "generator/Icon.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace datatest;

namespace {

// An icon's straight RGBA bytes, rows top to bottom.
struct Rgba {
    int size = 0;                // pixels a side
    std::vector<uint8_t> bytes;  // four a pixel

    const uint8_t* at(int x, int y) const { return &bytes[(size_t(y) * size + x) * 4]; }
};

std::string committedIcon(int size)
{
    return std::string(LANTERN_SOURCE_DIR) + "/package/icons/" + datagen::iconFileName(size);
}

} // namespace

TEST(Icons, TheCommittedIconsAreWhatTheGeneratorWrites)
{
    TempDir folder;
    std::ostringstream log;
    ASSERT_TRUE(datagen::generateIcons(folder.root, log)) << log.str();
    for (int size : datagen::iconSizes) {
        EXPECT_TRUE(readText(folder.path(datagen::iconFileName(size))) == readText(committedIcon(size)))
            << committedIcon(size) << " is not what the generator writes: run scripts/generate-data.sh";
    }
}

// The game's decoding keeps no alpha, so the coverage is checked in the pixels the generator
// writes (the committed files hold exactly those, as the test above shows), and the files
// decode to their colours.
TEST(Icons, EachSizeShowsTheBallOnATransparentBackground)
{
    for (int size : datagen::iconSizes) {
        SCOPED_TRACE(size);
        Rgba icon{size, datagen::iconPixels(size)};
        ASSERT_EQ(icon.bytes.size(), size_t(size) * size * 4);
        LoadedImage file = loadImage(committedIcon(size));
        ASSERT_TRUE(file.ok);
        ASSERT_EQ(file.width, size);
        ASSERT_EQ(file.height, size);
        std::vector<unsigned char> colours;
        for (size_t i = 0; i < icon.bytes.size(); i += 4)
            colours.insert(colours.end(), icon.bytes.begin() + i, icon.bytes.begin() + i + 3);
        EXPECT_TRUE(file.rgb == colours);
        for (int corner : {0, size - 1}) {
            EXPECT_EQ(icon.at(corner, 0)[3], 0);
            EXPECT_EQ(icon.at(corner, size - 1)[3], 0);
        }
        // A ball fills about half the square: opaque pixels, some red, some blue.
        int opaque = 0, red = 0, blue = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const uint8_t* p = icon.at(x, y);
                if (p[3] < 255)
                    continue;
                ++opaque;
                red += (p[0] > 2 * p[1] && p[0] > 2 * p[2]) ? 1 : 0;
                blue += (p[2] > 2 * p[0] && p[2] > p[1]) ? 1 : 0;
            }
        EXPECT_NEAR(double(opaque) / double(size * size), 0.5, 0.1);
        EXPECT_GT(red, opaque / 10);
        EXPECT_GT(blue, opaque / 10);
        EXPECT_EQ(icon.at(size / 2, size / 2)[3], 255);
    }
}
