// The four obstacles: roller (a log lying along the lane), fence, wooden barricade and
// sand heap. Each stands on y = 0 centred on its slot and stays within 0.4 units of the
// lane's centre across the lane (|x| <= 0.4), so that a ball of radius 0.5 rolls past in the
// next lane (lanes are 1.13 apart). The last mesh of each file is its bounding box, which
// the game uses as the obstacle's collision shape.
#include "generator/Collada.h"
#include "generator/Generator.h"
#include "generator/Image.h"
#include "generator/Random.h"

#include <cmath>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace datagen {

namespace {

const float pi = 3.14159265358979f;

// Paints the obstacle's texture, `textureSize` texels a side, and writes it, its normal
// map and the model.
bool writeObstacle(const std::string& folder, const std::string& file, const std::string& textureBase, Mesh drawn,
                   int textureSize, TexelPaint (*paint)(const Texel&), float normalStrength,
                   std::vector<std::string>& written)
{
    Image colour(textureSize, textureSize);
    HeightField height(textureSize, textureSize);
    paintTexels(colour, height, paint);
    std::string texture = "Textures/" + textureBase + ".png", normal = "Textures/" + textureBase + "_normal.png";
    bool ok = saveImage(colour, folder + "/" + texture);
    ok = saveImage(normalMapFromHeight(height, normalStrength, true, true), folder + "/" + normal) && ok;
    standOn(drawn);
    std::vector<Mesh> meshes = {drawn};
    meshes.push_back(makeBoundingBoxMesh(textureBase + "-boundingbox", {&meshes[0]}));
    ok = writeCollada(folder + "/" + file, meshes, {texture, normal}) && ok;
    written.push_back(texture);
    written.push_back(normal);
    written.push_back(file);
    return ok;
}

// --- Roller: a log of radius 0.33 and length 1.3 lying along z ---------------------------

Mesh makeRoller()
{
    const float radius = 0.33f, halfLength = 0.65f;
    std::vector<TubeFrame> frames;
    for (int i = 0; i <= 6; ++i) {
        float t = float(i) / 6.0f;
        float bulge = 1.0f + 0.03f * std::sin(pi * t) + 0.015f * std::sin(7.0f * t);
        // Along -z so that side x up = forward: side = +x, up = +y gives forward = +z; use that.
        frames.push_back({{0.0f, radius, -halfLength + 2.0f * halfLength * t}, {1, 0, 0}, {0, 1, 0}, radius * bulge,
                          radius * bulge});
    }
    Mesh log = makeTube("roller", frames, 20, 1.0f);
    // Bark on the round side (upper three quarters of the texture, two turns around), year
    // rings on the cut ends (lower left quarter).
    mapUv(log, [](const Vertex& v) {
        if (std::fabs(v.normal.z) > 0.99f)
            return glm::vec2(0.01f + 0.23f * v.uv.x, 0.01f + 0.23f * v.uv.y);
        return glm::vec2(v.uv.x * 2.0f, 0.26f + 0.73f * v.uv.y);
    });
    Mesh mesh("roller");
    mesh.append(log);
    return mesh;
}

TexelPaint paintRoller(const Texel& texel)
{
    const float u = texel.u, v = texel.v;
    if (v >= 0.25f) {
        // Bark: deep vertical furrows broken by noise, repeating in u.
        float furrows = fractalNoise(u * 12.0f, v * 3.0f, 71u, 4, 12, 0);
        float cracks = smoothstep(0.45f, 0.3f, std::fabs(valueNoise(u * 24.0f, v * 5.0f, 72u, 24, 0) - 0.5f) * 2.0f);
        return {mix(rgb(70, 48, 30), rgb(128, 96, 62), furrows) * (1.0f - 0.35f * cracks),
                furrows * 0.7f - cracks * 0.4f};
    }
    if (u < 0.25f) {
        // Cut end: rings around the centre of the quarter.
        float dx = (u - 0.125f) / 0.125f, dy = (v - 0.125f) / 0.125f;
        float r = std::sqrt(dx * dx + dy * dy);
        float wobble = 0.04f * valueNoise(dx * 4.0f + 9.0f, dy * 4.0f + 9.0f, 73u);
        float rings = 0.5f + 0.5f * std::sin((r + wobble) * 60.0f);
        glm::vec3 c = mix(rgb(196, 150, 96), rgb(220, 180, 120), rings);
        return {mix(c, rgb(90, 62, 38), smoothstep(0.88f, 0.95f, r)), 0.2f * rings};
    }
    return {rgb(100, 74, 48), 0.0f};
}

// --- Fence: a steel fence section across the lane -------------------------------------

Mesh makeFence()
{
    Mesh mesh("fence");
    const float halfWidth = 0.4f, top = 0.85f;
    for (int s = -1; s <= 1; s += 2) {
        float x = s * (halfWidth - 0.04f);
        mesh.append(makeBox("post", {x - 0.04f, 0.0f, -0.04f}, {x + 0.04f, top, 0.04f}, 0.5f));
        mesh.append(makeBox("foot", {x - 0.05f, 0.0f, -0.2f}, {x + 0.05f, 0.05f, 0.2f}, 0.5f));
    }
    mesh.append(makeBox("rail", {-halfWidth + 0.08f, top - 0.08f, -0.025f}, {halfWidth - 0.08f, top - 0.03f, 0.025f}, 0.5f));
    mesh.append(makeBox("rail", {-halfWidth + 0.08f, 0.12f, -0.025f}, {halfWidth - 0.08f, 0.17f, 0.025f}, 0.5f));
    for (int i = 0; i < 6; ++i) {
        float x = -0.25f + 0.1f * float(i);
        mesh.append(makeCylinder("bar", {x, 0.12f, 0.0f}, {x, top - 0.03f, 0.0f}, 0.015f, 6, 0.5f));
    }
    return mesh;
}

// Brushed steel with rust spots, repeating with the image.
TexelPaint paintMetal(const Texel& texel)
{
    const float u = texel.across, v = texel.down;
    float brushed = valueNoise(u * 4.0f, v * 128.0f, 81u, 4, 128);
    float spots = fractalNoise(u * 6.0f, v * 6.0f, 82u, 4, 6, 6);
    float rust = smoothstep(0.62f, 0.75f, spots);
    glm::vec3 c = mix(rgb(150, 158, 166), rgb(186, 192, 198), brushed);
    return {mix(c, rgb(140, 70, 36), rust * 0.8f), 0.1f * brushed + 0.3f * rust};
}

// --- Wooden barricade: two A-frame trestles carrying two striped planks ------------------

Mesh makeBarricade()
{
    Mesh mesh("barricade");
    const float halfWidth = 0.4f;
    // The legs: boards leaning in the y-z plane, meeting under the top plank.
    for (int s = -1; s <= 1; s += 2) {
        float x = s * 0.3f;
        for (int lean = -1; lean <= 1; lean += 2) {
            Mesh leg = makeBox("leg", {-0.035f, 0.0f, -0.02f}, {0.035f, 0.78f, 0.02f}, 1.0f);
            remapUv(leg, {0.0f, 0.5f}, {0.1f, 1.0f});
            glm::mat4 m = glm::translate(glm::mat4(1.0f), glm::vec3(x, 0.0f, lean * 0.2f));
            m = glm::rotate(m, -lean * 0.26f, glm::vec3(1, 0, 0)); // tops meet above z = 0
            mesh.append(leg, m);
        }
    }
    // The planks: one across the tops of the legs, one on their front; red and white
    // stripes on the broad faces, wood elsewhere.
    const float planks[2][3] = {{0.62f, -0.05f, 0.05f}, {0.3f, 0.105f, 0.165f}}; // bottom, back, front
    for (const auto& p : planks) {
        Mesh plank = makeBox("plank", {-halfWidth, p[0], p[1]}, {halfWidth, p[0] + 0.14f, p[2]}, 0.0f);
        mapUv(plank, [](const Vertex& v) {
            if (std::fabs(v.normal.z) > 0.99f)
                return glm::vec2(v.uv.x, 0.02f + 0.46f * v.uv.y);
            return glm::vec2(0.1f + 0.3f * v.uv.x, 0.52f + 0.46f * v.uv.y);
        });
        mesh.append(plank);
    }
    return mesh;
}

TexelPaint paintBarricade(const Texel& texel)
{
    const float u = texel.u, v = texel.v;
    float grain = fractalNoise(u * 3.0f, v * 40.0f, 91u, 4, 3, 0);
    float rings = 0.5f + 0.5f * std::sin(grain * 25.0f);
    glm::vec3 wood = mix(rgb(150, 104, 58), rgb(196, 150, 96), rings) * (0.85f + 0.2f * grain);
    if (v >= 0.5f)
        return {wood, 0.25f * rings};
    // Diagonal warning stripes, the paint worn where the grain shows.
    float stripe = std::fmod(u * 6.0f + v * 2.0f * 3.0f, 1.0f);
    glm::vec3 paint = stripe < 0.5f ? rgb(210, 40, 32) : rgb(240, 236, 226);
    float worn = smoothstep(0.7f, 0.8f, fractalNoise(u * 12.0f, v * 12.0f, 92u, 3));
    return {mix(paint * (0.92f + 0.1f * grain), wood, worn), 0.1f * rings + 0.2f * (1.0f - worn)};
}

// --- Sand heap: a low mound, longer along the lane than across ---------------------------

Mesh makeSandHeap()
{
    std::vector<glm::vec2> profile;
    const int rings = 10;
    for (int i = 0; i <= rings; ++i) {
        float t = float(i) / float(rings); // 0 at the rim, 1 at the top
        float r = 1.0f - t;
        float y = std::pow(1.0f - r * r, 1.6f);
        if (i == rings)
            r = 0.0f;
        profile.emplace_back(r, y);
    }
    Mesh unit = makeLathe("sand", profile, 24, 3.0f, 0.0f, 1.0f);
    Mesh mesh("sand");
    mesh.append(unit, glm::scale(glm::mat4(1.0f), glm::vec3(0.4f, 0.42f, 0.7f)));
    // A flat underside so the heap is closed.
    Vertex centre{{0.0f, 0.0f, 0.0f}, {0, -1, 0}, {0.5f, 0.5f}};
    for (int s = 0; s < 24; ++s) {
        float a0 = 2.0f * pi * float(s) / 24.0f, a1 = 2.0f * pi * float(s + 1) / 24.0f;
        Vertex p{{0.4f * std::cos(a0), 0.0f, -0.7f * std::sin(a0)}, {0, -1, 0}, {0.5f + 0.5f * std::cos(a0), 0.5f}};
        Vertex q{{0.4f * std::cos(a1), 0.0f, -0.7f * std::sin(a1)}, {0, -1, 0}, {0.5f + 0.5f * std::cos(a1), 0.5f}};
        mesh.addTriangle(centre, p, q);
    }
    return mesh;
}

// Dunes, ripples and single grains, repeating with the image.
TexelPaint paintSand(const Texel& texel)
{
    const float u = texel.across, v = texel.down;
    float dunes = fractalNoise(u * 8.0f, v * 8.0f, 101u, 4, 8, 8);
    float ripple = 0.5f + 0.5f * std::sin((v * 24.0f + dunes * 3.0f) * 2.0f * pi);
    float grains = hashUnit(texel.x, texel.y, 102u);
    glm::vec3 c = mix(rgb(200, 168, 110), rgb(232, 204, 146), dunes) * (0.92f + 0.12f * grains);
    if (grains > 0.985f)
        c = rgb(120, 110, 100);
    return {c, 0.3f * ripple + 0.15f * grains + 0.3f * dunes};
}

} // namespace

bool generateObstacles(const std::string& folder, std::vector<std::string>& written)
{
    bool ok = writeObstacle(folder, "Rolle.dae", "roller", makeRoller(), 256, paintRoller, 0.15f, written);
    ok = writeObstacle(folder, "Gitter.dae", "fence", makeFence(), 128, paintMetal, 0.1f, written) && ok;
    ok = writeObstacle(folder, "Holzbarrikade.dae", "barricade", makeBarricade(), 256, paintBarricade, 0.15f, written)
        && ok;
    ok = writeObstacle(folder, "Sandhaufen.dae", "sand", makeSandHeap(), 256, paintSand, 0.2f, written) && ok;
    return ok;
}

} // namespace datagen
