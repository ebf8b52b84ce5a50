#include "render/TextOverlay.h"

#include "png/PngWriter.h"
#include "render/TextureImage.h"
#include "support/GLContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <unistd.h>

namespace {

const int width = 800;
const int height = 600;

// A game folder of its own: "../Models/font.png" is a test atlas with 16-pixel cells in
// which '7' is a white square and code 200 a red one; "../Shader/" holds the real font
// program. The overlay is created from "run/", as the game runs one level down.
class TextOverlayGLTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(context.started()) << context.failure;
        namespace fs = std::filesystem;
        fs::create_directories(dir.path("Models"));
        fs::create_directories(dir.path("Shader"));
        fs::create_directories(dir.path("run"));
        for (const char* name : {"font.vert", "font.frag"})
            fs::copy_file(std::string(LANTERN_SOURCE_DIR "/Shader/") + name, dir.path("Shader/") + name);
        std::vector<uint8_t> atlas(256 * 256 * 3, 0);
        paintCell(atlas, '7', 255, 255, 255);
        paintCell(atlas, 200, 255, 0, 0);
        ASSERT_TRUE(writePng(dir.path("Models/font.png"), 256, 256, 3, atlas));

        std::string previous = fs::current_path();
        ASSERT_EQ(chdir(dir.path("run").c_str()), 0);
        overlay = new TextOverlay(width * 0.5f, height * 0.5f, decodeTextureImage("../Models/font.png"));
        ASSERT_EQ(chdir(previous.c_str()), 0);

        // The heads-up target: colour and depth, with the game's depth test and culling.
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glGenRenderbuffers(2, renderbuffers);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[0]);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[1]);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        glViewport(0, 0, width, height);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void TearDown() override
    {
        if (!context.started())
            return;
        delete overlay;
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(2, renderbuffers);
    }

    static void paintCell(std::vector<uint8_t>& atlas, int code, uint8_t r, uint8_t g, uint8_t b)
    {
        const int left = (code % 16) * 16, top = (code / 16) * 16; // image rows run top down
        for (int y = top + 3; y < top + 13; ++y)
            for (int x = left + 3; x < left + 13; ++x) {
                uint8_t* pixel = &atlas[(y * 256 + x) * 3];
                pixel[0] = r;
                pixel[1] = g;
                pixel[2] = b;
            }
    }

    std::array<uint8_t, 4> pixel(int x, int y)
    {
        std::array<uint8_t, 4> rgba{};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }

    GLContext context{64, 64};
    TempDir dir;
    TextOverlay* overlay = nullptr;
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = {0, 0};
};

TEST_F(TextOverlayGLTest, GlyphIsDrawnInItsCellWithADarkRim)
{
    overlay->drawText("7", 10, 10, 26);
    // The glyph square covers atlas pixels 3 … 13 of the cell: screen pixels 15 … 31.
    EXPECT_GT(pixel(23, 23)[0], 240);
    EXPECT_GT(pixel(23, 23)[2], 240);
    EXPECT_EQ(pixel(60, 60)[0], 128); // nothing drawn outside the cell
    EXPECT_EQ(pixel(11, 11)[0], 128); // nor in the cell's empty corner, away from the glyph
    int darkest = 255;
    for (int x = 11; x < 16; ++x)
        darkest = std::min<int>(darkest, pixel(x, 23)[0]);
    EXPECT_LT(darkest, 100) << "the rim darkens the background beside the glyph";

    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint vertexArray = -1;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray);
    EXPECT_EQ(vertexArray, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextOverlayGLTest, HighCodesDrawTheirOwnCell)
{
    const char text[] = {static_cast<char>(200), '\0'};
    overlay->drawText(text, 100, 10, 26);
    std::array<uint8_t, 4> centre = pixel(113, 23);
    EXPECT_GT(centre[0], 240);
    EXPECT_LT(centre[1], 20);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextOverlayGLTest, EmptyTextUploadsNothing)
{
    overlay->drawText("77", 10, 10, 26);
    overlay->drawText("", 10, 100, 26);
    glBindBuffer(GL_ARRAY_BUFFER, overlay->textVertexBuffer);
    GLint bytes = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &bytes);
    EXPECT_EQ(bytes, 2 * 6 * 8);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_EQ(pixel(23, 113)[0], 128);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
