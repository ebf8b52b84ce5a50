#include "render/TextureFilters.h"

#include "platform/GL.h"

#include <gtest/gtest.h>

namespace {

TEST(TextureFilters, FilterTableHasSixPairs)
{
    struct Row { bool nearest; int mode; int min; int mag; const char* line; };
    const Row rows[] = {
        {true, 0, GL_NEAREST, GL_NEAREST, "MIN: GL_NEAREST, MAG: GL_NEAREST"},
        {true, 1, GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST, "MIN: GL_NEAREST_MIPMAP_NEAREST, MAG: GL_NEAREST"},
        {true, 2, GL_NEAREST_MIPMAP_LINEAR, GL_NEAREST, "MIN: GL_NEAREST_MIPMAP_LINEAR, MAG: GL_NEAREST"},
        {false, 0, GL_LINEAR, GL_LINEAR, "MIN: GL_LINEAR, MAG: GL_LINEAR"},
        {false, 1, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR, "MIN: GL_LINEAR_MIPMAP_NEAREST, MAG: GL_LINEAR"},
        {false, 2, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, "MIN: GL_LINEAR_MIPMAP_LINEAR, MAG: GL_LINEAR"},
    };
    for (const Row& row : rows) {
        TextureFilters filters = textureFiltersFor(row.nearest, row.mode);
        EXPECT_EQ(filters.minFilter, row.min) << row.line;
        EXPECT_EQ(filters.magFilter, row.mag) << row.line;
        EXPECT_STREQ(filters.line, row.line);
    }
}

} // namespace
