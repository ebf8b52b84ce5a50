#pragma once
#include <functional>
#include <glm/vec3.hpp>
#include <string>
#include <vector>

// Images of the generator: float colours (0..1) and float height fields, written as 8-bit
// PNG files. Row 0 is the top row of the file, which DevIL hands to OpenGL first.
namespace datagen {

struct Image {
    int width = 0, height = 0;
    std::vector<glm::vec3> pixels; // row-major, row 0 at the top

    Image() = default;
    Image(int width, int height, glm::vec3 fill = glm::vec3(0.0f));
    glm::vec3& at(int x, int y) { return pixels[size_t(y) * width + x]; }
    const glm::vec3& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

struct HeightField {
    int width = 0, height = 0;
    std::vector<float> values; // row-major, row 0 at the top

    HeightField() = default;
    HeightField(int width, int height, float fill = 0.0f);
    float& at(int x, int y) { return values[size_t(y) * width + x]; }
    float at(int x, int y) const { return values[size_t(y) * width + x]; }
    // With wrapping (or clamping) of the coordinates at the borders.
    float sample(int x, int y, bool wrapX, bool wrapY) const;
};

// One texel, as a painter sees it.
struct Texel {
    int x, y;           // column and row, row 0 at the top
    float u, v;         // its centre in the meshes' texture coordinates: v = 0 at the bottom row
    float across, down; // its top-left corner as fractions of the image from the top left, for
                        // patterns that repeat with the image
};

// What a painter gives a texel.
struct TexelPaint {
    glm::vec3 colour; // 0..1
    float height;     // for normalMapFromHeight
};

// Paints every texel of `colour` and the same texel of `height`, which must be of the same
// size, with what `paint` gives it.
void paintTexels(Image& colour, HeightField& height, const std::function<TexelPaint(const Texel&)>& paint);

// Tangent-space normal map of a height field, OpenGL convention: red grows toward +u (to
// the right of the image), green toward the top of the image, blue out of the surface.
// `strength` is the height change (in height units) that tilts the normal by 45 degrees
// over one pixel.
Image normalMapFromHeight(const HeightField& heights, float strength, bool wrapX, bool wrapY);

// Writes 8-bit RGB (or grey, when `grey` is set: the red channel is written) PNG files.
bool saveImage(const Image& image, const std::string& path, bool grey = false);

// Small colour helpers.
glm::vec3 mix(const glm::vec3& a, const glm::vec3& b, float t);
float lerp(float a, float b, float t);
float clamp01(float value);
float smoothstep(float edge0, float edge1, float x);
glm::vec3 rgb(int r, int g, int b);

} // namespace datagen
