// The collectible fruit: a banana and an apple, each with three levels of detail (clearly
// fewer triangles from level to level) and a bounding-box mesh last. Both stand on y = 0
// and fit one slot (about 0.6 units across, under 1 unit high).
#include "generator/Collada.h"
#include "generator/Generator.h"
#include "generator/Image.h"
#include "generator/Random.h"

#include <cmath>
#include <glm/geometric.hpp>

namespace datagen {

namespace {

const float pi = 3.14159265358979f;

// --- Banana ---------------------------------------------------------------------------

// A curved, tapered tube standing upright, bent in the x-y plane.
Mesh makeBanana(const std::string& name, int lengthSteps, int sides)
{
    std::vector<TubeFrame> frames;
    const glm::vec3 arcCentre(-0.5f, 0.5f, 0.0f);
    const float arcRadius = 0.62f, arcHalfAngle = 0.82f;
    for (int i = 0; i <= lengthSteps; ++i) {
        float t = float(i) / float(lengthSteps);
        float angle = -arcHalfAngle + 2.0f * arcHalfAngle * t;
        glm::vec3 centre = arcCentre + arcRadius * glm::vec3(std::cos(angle), std::sin(angle), 0.0f);
        glm::vec3 forward(-std::sin(angle), std::cos(angle), 0.0f);
        glm::vec3 up(0.0f, 0.0f, 1.0f);
        glm::vec3 side = glm::cross(up, forward); // side x up = forward
        // Thick in the middle, pointed at the flower end (bottom), a stalk at the top.
        float body = std::pow(std::sin(pi * std::min(t, 0.9f) / 0.9f), 0.55f);
        float radius = t < 0.9f ? 0.015f + 0.105f * body : 0.035f;
        frames.push_back({centre, side, up, radius * 1.05f, radius * 0.95f});
    }
    return makeTube(name, frames, sides);
}

TexelPaint paintBanana(const Texel& texel)
{
    const float u = texel.u, v = texel.v;
    // Five ridges around the fruit.
    float ridge = std::fabs(std::sin(u * pi * 5.0f));
    float streak = fractalNoise(u * 10.0f, v * 40.0f, 51u, 3, 10, 0);
    glm::vec3 c = mix(rgb(238, 200, 40), rgb(252, 226, 90), ridge) * (0.9f + 0.2f * streak);
    // Green toward the stalk, brown flecks, dark tips.
    c = mix(c, rgb(150, 170, 50), smoothstep(0.75f, 0.92f, v) * 0.6f);
    float fleck = valueNoise(u * 48.0f, v * 96.0f, 52u, 48, 0);
    if (fleck > 0.86f)
        c = mix(c, rgb(110, 72, 30), (fleck - 0.86f) / 0.14f);
    c = mix(c, rgb(70, 50, 28), smoothstep(0.06f, 0.02f, v));
    c = mix(c, rgb(96, 84, 40), smoothstep(0.9f, 0.93f, v));
    return {c, 0.4f * ridge + 0.1f * streak};
}

// --- Apple ----------------------------------------------------------------------------

// The apple's outline as (radius, height): wider at the top, with dimples at both poles.
std::vector<glm::vec2> appleProfile(int rings)
{
    std::vector<glm::vec2> profile;
    for (int i = 0; i <= rings; ++i) {
        float angle = -pi * 0.5f + pi * float(i) / float(rings);
        float s = std::sin(angle);
        float r = 0.3f * std::cos(angle) * (1.0f + 0.1f * s);
        float y = 0.29f + 0.27f * s;
        float dimple = std::exp(-(r / 0.09f) * (r / 0.09f));
        y -= (s > 0.0f ? 0.07f : -0.04f) * dimple;
        if (i == 0 || i == rings)
            r = 0.0f;
        profile.emplace_back(r, y);
    }
    return profile;
}

Mesh makeApple(const std::string& name, int segments, int rings, bool withLeaf)
{
    std::vector<glm::vec2> profile = appleProfile(rings);
    Mesh body = makeLathe(name, profile, segments, 1.0f, 0.0f, 1.0f);
    remapUv(body, {0.0f, 0.25f}, {1.0f, 1.0f});
    float top = profile.back().y;
    Mesh mesh(name);
    mesh.append(body);
    Mesh stalk = makeCylinder("stalk", {0.0f, top - 0.02f, 0.0f}, {0.03f, top + 0.13f, 0.0f}, 0.018f,
                              withLeaf ? 6 : 4, 0.0f);
    remapUv(stalk, {0.02f, 0.02f}, {0.45f, 0.22f});
    mesh.append(stalk);
    if (withLeaf) {
        // A flat leaf: a thin tube with a pointed outline, leaning away from the stalk.
        std::vector<TubeFrame> frames;
        glm::vec3 start(0.03f, top + 0.08f, 0.0f), direction = glm::normalize(glm::vec3(1.0f, 0.45f, 0.3f));
        glm::vec3 up = glm::normalize(glm::vec3(0.0f, 1.0f, 0.0f) - direction * direction.y);
        glm::vec3 side = glm::cross(up, direction);
        for (int i = 0; i <= 6; ++i) {
            float t = float(i) / 6.0f;
            float width = 0.055f * std::sin(pi * t) + 0.004f;
            frames.push_back({start + direction * (0.2f * t) - up * (0.03f * t * t), side, up, width, 0.008f});
        }
        Mesh leaf = makeTube("leaf", frames, 6);
        remapUv(leaf, {0.55f, 0.02f}, {0.98f, 0.22f});
        mesh.append(leaf);
    }
    return mesh;
}

TexelPaint paintApple(const Texel& texel)
{
    const float u = texel.u, v = texel.v;
    if (v >= 0.245f) {
        float along = (v - 0.25f) / 0.75f; // 0 bottom pole .. 1 top pole
        float streak = fractalNoise(u * 24.0f, along * 3.0f, 61u, 3, 24, 0);
        float blush = fractalNoise(u * 4.0f, along * 2.0f, 62u, 2, 4, 0);
        glm::vec3 c = mix(rgb(232, 196, 72), rgb(200, 30, 36), smoothstep(0.25f, 0.6f, blush + 0.25f * streak));
        c = mix(c, rgb(160, 20, 30), 0.4f * streak);
        // Yellow-green around the stalk and the flower end.
        c = mix(c, rgb(190, 180, 70), smoothstep(0.88f, 0.98f, along) + smoothstep(0.1f, 0.02f, along));
        float speck = valueNoise(u * 90.0f, along * 60.0f, 63u, 90, 0);
        if (speck > 0.9f)
            c = mix(c, rgb(246, 220, 150), (speck - 0.9f) * 6.0f);
        return {c, 0.15f * streak};
    }
    // The stalk (left) and the leaf (right) below the skin.
    if (u < 0.5f) {
        float bark = valueNoise(u * 40.0f, v * 10.0f, 64u);
        return {rgb(96, 66, 36) * (0.85f + 0.3f * bark), 0.2f * bark};
    }
    float vein = std::fabs(std::sin((u - 0.5f) * pi * 12.0f + v * 20.0f));
    return {mix(rgb(60, 140, 40), rgb(90, 170, 60), vein), 0.2f * vein};
}

// Paints the fruit's texture and writes it, its normal map and the model with its levels.
bool writeFruit(const std::string& folder, const std::string& file, const std::string& textureBase,
                std::vector<Mesh> levels, TexelPaint (*paint)(const Texel&), std::vector<std::string>& written)
{
    Image colour(256, 256);
    HeightField height(256, 256);
    paintTexels(colour, height, paint);
    std::string texture = "Textures/" + textureBase + ".png", normal = "Textures/" + textureBase + "_normal.png";
    bool ok = saveImage(colour, folder + "/" + texture);
    ok = saveImage(normalMapFromHeight(height, 0.2f, true, false), folder + "/" + normal) && ok;
    // All levels stand on the floor together (shifted by the same amount).
    glm::vec3 low, high;
    levels[0].bounds(low, high);
    glm::mat4 shift(1.0f);
    shift[3] = glm::vec4(0.0f, -low.y, 0.0f, 1.0f);
    std::vector<Mesh> meshes;
    for (Mesh& level : levels) {
        Mesh placed(level.name);
        placed.append(level, shift);
        meshes.push_back(placed);
    }
    std::vector<const Mesh*> drawn;
    for (const Mesh& m : meshes)
        drawn.push_back(&m);
    Mesh box = makeBoundingBoxMesh(textureBase + "-boundingbox", drawn);
    meshes.push_back(box);
    ok = writeCollada(folder + "/" + file, meshes, {texture, normal}) && ok;
    written.push_back(texture);
    written.push_back(normal);
    written.push_back(file);
    return ok;
}

} // namespace

bool generateFruit(const std::string& folder, std::vector<std::string>& written)
{
    std::vector<Mesh> banana = {makeBanana("banana-lod0", 20, 14), makeBanana("banana-lod1", 10, 8),
                                makeBanana("banana-lod2", 5, 5)};
    bool ok = writeFruit(folder, "Banana.dae", "banana", banana, paintBanana, written);

    std::vector<Mesh> apple = {makeApple("apple-lod0", 24, 16, true), makeApple("apple-lod1", 12, 8, true),
                               makeApple("apple-lod2", 7, 5, false)};
    ok = writeFruit(folder, "apple.dae", "apple", apple, paintApple, written) && ok;
    return ok;
}

} // namespace datagen
