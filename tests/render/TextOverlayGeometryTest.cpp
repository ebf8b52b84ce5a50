#include "render/TextOverlayGeometry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const float cell = 0.0625f;

TEST(TextOverlayGeometryTest, OneCharacterCoversItsPixelSquare)
{
    TextOverlayGeometry geometry;
    buildTextOverlayGeometry("7", 10, 10, 26, 400.0f, 300.0f, geometry);
    ASSERT_EQ(geometry.characterCount, 1);
    ASSERT_EQ(geometry.positions.size(), 12u);
    const float left = -0.975f, right = -0.91f, bottom = -290.0f / 300.0f, top = -0.88f;
    // upper-left, lower-left, upper-right, lower-right, upper-right, lower-left
    const float expected[12] = {left, top, left, bottom, right, top, right, bottom, right, top, left, bottom};
    for (int i = 0; i < 12; ++i)
        EXPECT_NEAR(geometry.positions[i], expected[i], 1e-6f) << i;
    EXPECT_NEAR(bottom, -0.96667f, 1e-5f);

    // '7' is code 55: column 7, row 3, with row 0 at t = 0.
    const float u = 7 * cell, v = 3 * cell;
    const float uv[12] = {u, v, u, v + cell, u + cell, v, u + cell, v + cell, u + cell, v, u, v + cell};
    for (int i = 0; i < 12; ++i)
        EXPECT_FLOAT_EQ(geometry.textureCoordinates[i], uv[i]) << i;
}

TEST(TextOverlayGeometryTest, CharactersFollowWithoutSpacingAndUnwrapped)
{
    TextOverlayGeometry geometry;
    buildTextOverlayGeometry("%a", -50, 0, 20, 100.0f, 100.0f, geometry);
    ASSERT_EQ(geometry.characterCount, 2);
    EXPECT_FLOAT_EQ(geometry.positions[0], -1.5f);       // left of the target, kept there
    EXPECT_FLOAT_EQ(geometry.positions[4], -1.3f);       // its right edge
    EXPECT_FLOAT_EQ(geometry.positions[12], -1.3f);      // the next character starts there
    EXPECT_FLOAT_EQ(geometry.textureCoordinates[0], 5 * cell); // '%' is code 37: column 5
    EXPECT_FLOAT_EQ(geometry.textureCoordinates[1], 2 * cell); // row 2
}

TEST(TextOverlayGeometryTest, LongTextIsCutAndEmptyTextBuildsNothing)
{
    TextOverlayGeometry geometry;
    buildTextOverlayGeometry(std::string(300, 'x').c_str(), 0, 0, 8, 400.0f, 300.0f, geometry);
    EXPECT_EQ(geometry.characterCount, 255);
    EXPECT_EQ(geometry.positions.size(), 255u * 12);
    EXPECT_EQ(geometry.textureCoordinates.size(), 255u * 12);

    buildTextOverlayGeometry("", 0, 0, 8, 400.0f, 300.0f, geometry);
    EXPECT_EQ(geometry.characterCount, 0);
    EXPECT_TRUE(geometry.positions.empty());
    buildTextOverlayGeometry(nullptr, 0, 0, 8, 400.0f, 300.0f, geometry);
    EXPECT_EQ(geometry.characterCount, 0);
}

TEST(TextOverlayGeometryTest, EveryCodeReadsItsOwnCellInsideTheAtlas)
{
    TextOverlayGeometry geometry;
    for (int code = 1; code < 256; ++code) {
        const char text[2] = {static_cast<char>(code), '\0'};
        buildTextOverlayGeometry(text, 0, 0, 8, 400.0f, 300.0f, geometry);
        ASSERT_EQ(geometry.characterCount, 1);
        EXPECT_FLOAT_EQ(geometry.textureCoordinates[0], (code % 16) * cell) << code;
        EXPECT_FLOAT_EQ(geometry.textureCoordinates[1], (code / 16) * cell) << code;
        for (float value : geometry.textureCoordinates) {
            EXPECT_GE(value, 0.0f) << code;
            EXPECT_LE(value, 1.0f) << code;
        }
    }
}

} // namespace
