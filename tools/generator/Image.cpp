#include "generator/Image.h"

#include "png/PngWriter.h"

#include <cmath>
#include <glm/geometric.hpp>

namespace datagen {

Image::Image(int width, int height, glm::vec3 fill) : width(width), height(height), pixels(size_t(width) * height, fill) {}

HeightField::HeightField(int width, int height, float fill)
    : width(width), height(height), values(size_t(width) * height, fill)
{
}

float HeightField::sample(int x, int y, bool wrapX, bool wrapY) const
{
    if (wrapX)
        x = ((x % width) + width) % width;
    else
        x = x < 0 ? 0 : (x >= width ? width - 1 : x);
    if (wrapY)
        y = ((y % height) + height) % height;
    else
        y = y < 0 ? 0 : (y >= height ? height - 1 : y);
    return at(x, y);
}

void paintTexels(Image& colour, HeightField& height, const std::function<TexelPaint(const Texel&)>& paint)
{
    for (int y = 0; y < colour.height; ++y) {
        for (int x = 0; x < colour.width; ++x) {
            Texel texel;
            texel.x = x;
            texel.y = y;
            texel.u = (float(x) + 0.5f) / float(colour.width);
            texel.v = 1.0f - (float(y) + 0.5f) / float(colour.height);
            texel.across = float(x) / float(colour.width);
            texel.down = float(y) / float(colour.height);
            const TexelPaint painted = paint(texel);
            colour.at(x, y) = painted.colour;
            height.at(x, y) = painted.height;
        }
    }
}

Image normalMapFromHeight(const HeightField& heights, float strength, bool wrapX, bool wrapY)
{
    Image out(heights.width, heights.height);
    for (int y = 0; y < heights.height; ++y) {
        for (int x = 0; x < heights.width; ++x) {
            float right = heights.sample(x + 1, y, wrapX, wrapY) - heights.sample(x - 1, y, wrapX, wrapY);
            // The image's rows run downward, the green axis points up.
            float up = heights.sample(x, y - 1, wrapX, wrapY) - heights.sample(x, y + 1, wrapX, wrapY);
            glm::vec3 n = glm::normalize(glm::vec3(-right * 0.5f / strength, -up * 0.5f / strength, 1.0f));
            out.at(x, y) = n * 0.5f + glm::vec3(0.5f);
        }
    }
    return out;
}

float clamp01(float value)
{
    return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
}

float smoothstep(float edge0, float edge1, float x)
{
    float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

glm::vec3 mix(const glm::vec3& a, const glm::vec3& b, float t)
{
    return a + (b - a) * t;
}

float lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}

glm::vec3 rgb(int r, int g, int b)
{
    return glm::vec3(float(r), float(g), float(b)) / 255.0f;
}

bool saveImage(const Image& image, const std::string& path, bool grey)
{
    int channels = grey ? 1 : 3;
    std::vector<uint8_t> bytes;
    bytes.reserve(image.pixels.size() * size_t(channels));
    for (const glm::vec3& p : image.pixels) {
        for (int c = 0; c < channels; ++c)
            bytes.push_back(uint8_t(std::lround(clamp01(p[c]) * 255.0f)));
    }
    return writePng(path, image.width, image.height, channels, bytes);
}

} // namespace datagen
