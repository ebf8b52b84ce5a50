#include "png/PngWriter.h"
#include "render/Texture.h"
#include "support/GLContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <iostream>

namespace {
// Reads level 0 of the texture bound on unit 0 back as packed RGB rows.
std::vector<uint8_t> readBack(int width, int height)
{
    std::vector<uint8_t> pixels(size_t(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return pixels;
}

uint8_t pattern(int x, int y, int channel) { return uint8_t((x * 37 + y * 11 + channel * 83) & 0xFF); }

std::vector<uint8_t> image(int width, int height, int channels)
{
    std::vector<uint8_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c)
                pixels.push_back(pattern(x, y, c));
    return pixels;
}

// The expected RGB texels: alpha dropped, grey repeated into all three channels.
std::vector<uint8_t> asRgb(const std::vector<uint8_t>& pixels, int channels)
{
    std::vector<uint8_t> rgb;
    for (size_t i = 0; i < pixels.size(); i += channels)
        for (int c = 0; c < 3; ++c)
            rgb.push_back(pixels[i + (channels == 1 ? 0 : c)]);
    return rgb;
}

std::vector<uint8_t> loadAndReadBack(const std::string& file, int width, int height)
{
    vantor::util::Texture texture(GL_TEXTURE_2D, file.c_str());
    EXPECT_TRUE(texture.load());
    GLint active = 0, bound = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(active, GL_TEXTURE0);
    EXPECT_EQ(GLuint(bound), texture.textureObject);
    GLfloat minFilter = 0, magFilter = 0;
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GLfloat(GL_LINEAR_MIPMAP_LINEAR));
    EXPECT_EQ(magFilter, GLfloat(GL_LINEAR));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    return readBack(width, height);
}
} // namespace

TEST(TextureGL, EveryKindOfPngUploadsItsPixelsTopRowFirst)
{
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    TempDir dir;
    // 30 pixels of RGB is 90 bytes a row: not a multiple of 4.
    for (int width : {30, 32}) {
        for (int channels : {1, 3, 4}) {
            SCOPED_TRACE("width " + std::to_string(width) + ", channels " + std::to_string(channels));
            const int height = 8;
            std::vector<uint8_t> pixels = image(width, height, channels);
            std::string file = dir.path("image" + std::to_string(width) + "_" + std::to_string(channels) + ".png");
            ASSERT_TRUE(writePng(file, width, height, channels, pixels));
            EXPECT_EQ(loadAndReadBack(file, width, height), asRgb(pixels, channels));
        }
    }
}

TEST(TextureGL, PaletteImagesAreExpandedToRgb)
{
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    TempDir dir;
    const int width = 30, height = 5;
    std::vector<uint8_t> palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
    std::vector<uint8_t> indices;
    std::vector<uint8_t> expected;
    for (int i = 0; i < width * height; ++i) {
        uint8_t index = uint8_t((i * 7 + i / width) % 4);
        indices.push_back(index);
        expected.insert(expected.end(), palette.begin() + index * 3, palette.begin() + index * 3 + 3);
    }
    std::string file = dir.path("palette.png");
    ASSERT_TRUE(writePalettePng(file, width, height, palette, indices));
    EXPECT_EQ(loadAndReadBack(file, width, height), expected);
}

TEST(TextureGL, KeepsItsOwnCopyOfThePath)
{
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    TempDir dir;
    std::string file = dir.path("copy.png");
    ASSERT_TRUE(writePng(file, 4, 4, 3, image(4, 4, 3)));
    vantor::util::Texture* texture;
    {
        std::string temporary = file;
        texture = new vantor::util::Texture(GL_TEXTURE_2D, temporary.c_str());
        temporary.assign(temporary.size(), 'x');
    }
    EXPECT_TRUE(texture->load());
    EXPECT_EQ(texture->fileName, file);
    delete texture;
}

TEST(TextureGLDeathTest, MissingImageReportsTheLibraryErrorAndEnds)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::cout.rdbuf(std::cerr.rdbuf());
            GLContext context;
            ASSERT_TRUE(context.started()) << context.failure;
            vantor::util::Texture texture(GL_TEXTURE_2D, "/nonexistent/stone.png");
            texture.load();
        },
        testing::ExitedWithCode(255),
        "^(DevIL Error: [0-9]+, Bildpfad: /nonexistent/stone.png\n)+"
        "DevIL Error: Could not load image, path: /nonexistent/stone.png\n$");
}
