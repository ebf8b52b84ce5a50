#include "generator/Icon.h"

#include "generator/Generator.h"
#include "generator/Hero.h"
#include "png/PngWriter.h"

#include <glm/geometric.hpp>
#include <glm/vec4.hpp>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace datagen {

namespace {

const float pi = 3.14159265358979f;
const int samplesPerSide = 4;     // supersampling per pixel and axis, for smooth edges
// Places and sizes in icon sizes (0 to 1), y from the top.
const float ballCentreY = 0.46f;
const float ballRadius = 0.40f;
// An elliptic shadow on the ground just below the ball, darkest under its middle.
const float shadowCentreY = 0.885f;
const float shadowHalfWidth = 0.30f, shadowHalfHeight = 0.055f;
const float shadowOpacity = 0.45f; // alpha at its middle

// The ball's texture, sampled bilinearly, wrapping around the equator.
glm::vec3 sampleBall(const Image& texture, float u, float v)
{
    const float x = u * float(texture.width) - 0.5f;
    const float y = (1.0f - v) * float(texture.height) - 0.5f;
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const float fx = x - float(x0), fy = y - float(y0);
    auto texel = [&](int tx, int ty) {
        tx = ((tx % texture.width) + texture.width) % texture.width;
        ty = ty < 0 ? 0 : (ty >= texture.height ? texture.height - 1 : ty);
        return texture.at(tx, ty);
    };
    return mix(mix(texel(x0, y0), texel(x0 + 1, y0), fx), mix(texel(x0, y0 + 1), texel(x0 + 1, y0 + 1), fx), fy);
}

// Colour and coverage of one sample point (x right, y down, both in icon sizes).
glm::vec4 shade(const Image& texture, float x, float y)
{
    const float bx = (x - 0.5f) / ballRadius, by = (ballCentreY - y) / ballRadius;
    const float r2 = bx * bx + by * by;
    if (r2 <= 1.0f) {
        // The surface normal as seen; the ball leans toward the viewer, who sees its top
        // cap and a white panel between the red and the blue one.
        const glm::vec3 seen(bx, by, std::sqrt(1.0f - r2));
        const float tilt = -0.45f, turn = -0.5f * pi;
        const glm::vec3 tilted(seen.x, seen.y * std::cos(tilt) - seen.z * std::sin(tilt),
                               seen.y * std::sin(tilt) + seen.z * std::cos(tilt));
        const glm::vec3 ball(tilted.x * std::cos(turn) + tilted.z * std::sin(turn), tilted.y,
                             -tilted.x * std::sin(turn) + tilted.z * std::cos(turn));
        const float u = std::atan2(ball.x, ball.z) / (2.0f * pi) + 0.5f;
        const float v = std::asin(ball.y < -1.0f ? -1.0f : (ball.y > 1.0f ? 1.0f : ball.y)) / pi + 0.5f;
        const glm::vec3 light = glm::normalize(glm::vec3(-0.5f, 0.7f, 0.6f));
        const glm::vec3 halfway = glm::normalize(light + glm::vec3(0.0f, 0.0f, 1.0f));
        const float diffuse = std::max(0.0f, glm::dot(seen, light));
        const float specular = std::pow(std::max(0.0f, glm::dot(seen, halfway)), 40.0f);
        const glm::vec3 colour = sampleBall(texture, u, v) * (0.32f + 0.68f * diffuse) + glm::vec3(0.45f * specular);
        return glm::vec4(colour, 1.0f);
    }
    const float sx = (x - 0.5f) / shadowHalfWidth, sy = (y - shadowCentreY) / shadowHalfHeight;
    const float falloff = 1.0f - smoothstep(0.3f, 1.0f, std::sqrt(sx * sx + sy * sy));
    return glm::vec4(0.0f, 0.0f, 0.0f, shadowOpacity * falloff);
}

// Straight (not premultiplied) RGBA bytes of an icon `size` pixels a side.
std::vector<uint8_t> renderIcon(const Image& texture, int size)
{
    std::vector<uint8_t> rgba;
    rgba.reserve(size_t(size) * size * 4);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            glm::vec3 premultiplied(0.0f);
            float coverage = 0.0f;
            for (int sy = 0; sy < samplesPerSide; ++sy) {
                for (int sx = 0; sx < samplesPerSide; ++sx) {
                    const float x = (float(px) + (float(sx) + 0.5f) / samplesPerSide) / float(size);
                    const float y = (float(py) + (float(sy) + 0.5f) / samplesPerSide) / float(size);
                    const glm::vec4 sample = shade(texture, x, y);
                    premultiplied += glm::vec3(sample) * sample.a;
                    coverage += sample.a;
                }
            }
            const glm::vec3 colour = coverage > 0.0f ? premultiplied / coverage : glm::vec3(0.0f);
            coverage /= float(samplesPerSide * samplesPerSide);
            for (int c = 0; c < 3; ++c)
                rgba.push_back(uint8_t(std::lround(clamp01(colour[c]) * 255.0f)));
            rgba.push_back(uint8_t(std::lround(clamp01(coverage) * 255.0f)));
        }
    }
    return rgba;
}

} // namespace

std::vector<uint8_t> iconPixels(int size)
{
    Image texture(512, 256);
    HeightField height(512, 256);
    paintBall(texture, height);
    return renderIcon(texture, size);
}

std::string iconFileName(int size)
{
    return "lantern-trail-" + std::to_string(size) + ".png";
}

bool generateIcons(const std::string& folder, std::ostream& log)
{
    if (!ensureFolder(folder)) {
        log << "cannot create the folder " << folder << "\n";
        return false;
    }
    bool ok = true;
    for (int size : iconSizes) {
        const std::string path = folder + "/" + iconFileName(size);
        if (!writePng(path, size, size, 4, iconPixels(size))) {
            log << "FAILED: could not write " << path << "\n";
            ok = false;
            continue;
        }
        std::ifstream written(path, std::ios::binary | std::ios::ate);
        log << "wrote " << path << " (" << written.tellg() << " bytes)\n";
    }
    return ok;
}

} // namespace datagen
