#include "Screenshot.h"

#include "platform/GL.h"
#include "png/PngWriter.h"

#include <cstring>
#include <vector>

bool writeScreenshot(const std::string& path, int width, int height)
{
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 3);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    // OpenGL reads the bottom row first; PNG files start at the top.
    const size_t rowBytes = size_t(width) * 3;
    std::vector<uint8_t> row(rowBytes);
    for (int y = 0; y < height / 2; ++y) {
        uint8_t* top = &pixels[size_t(y) * rowBytes];
        uint8_t* bottom = &pixels[size_t(height - 1 - y) * rowBytes];
        std::memcpy(row.data(), top, rowBytes);
        std::memcpy(top, bottom, rowBytes);
        std::memcpy(bottom, row.data(), rowBytes);
    }
    return writePng(path, width, height, 3, pixels);
}
