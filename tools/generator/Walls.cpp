// The three wall pieces: a slab whose top is the walkable path (y = 0) and whose sides
// drop to y = -wallDepth, cut out of the cell by marching squares over the piece's outline
// (a signed distance function). The sides are left open where the path meets the
// neighbouring cell, so two pieces join without a step. One texture per piece holds the
// top painted for that piece, a strip of wall stones for the sides and a chequered band
// for the end piece's gate.
#include "generator/Walls.h"

#include "generator/Collada.h"
#include "generator/Generator.h"
#include "generator/Image.h"
#include "generator/Random.h"

#include <cmath>
#include <glm/geometric.hpp>
#include <map>

namespace datagen {

namespace {

const float pi = 3.14159265358979f;

float boxDistance(float x, float z, float cx, float cz, float hx, float hz, float radius = 0.0f)
{
    float qx = std::fabs(x - cx) - (hx - radius), qz = std::fabs(z - cz) - (hz - radius);
    float outside = std::sqrt(std::max(qx, 0.0f) * std::max(qx, 0.0f) + std::max(qz, 0.0f) * std::max(qz, 0.0f));
    return outside + std::min(std::max(qx, qz), 0.0f) - radius;
}

float smoothUnion(float a, float b, float k)
{
    float h = std::max(k - std::fabs(a - b), 0.0f) / k;
    return std::min(a, b) - h * h * k * 0.25f;
}

} // namespace

float wallOutline(WallKind kind, float x, float z)
{
    const float w = pathHalfWidth;
    float front = boxDistance(x, z, 0.0f, 50.0f, w, 50.0f); // the arm toward +z and beyond
    switch (kind) {
    case WallKind::Straight:
        return boxDistance(x, z, 0.0f, 0.0f, w, 100.0f);
    case WallKind::Curve: {
        float side = boxDistance(x, z, -50.0f, 0.0f, 50.0f, w); // the arm toward -x and beyond
        // Room for the slots' back row (z = -2.2) with its outer corner rounded off.
        float slots = boxDistance(x, z, 0.0f, -0.2f, w, 2.6f, 1.4f);
        return smoothUnion(side, std::min(front, slots), 0.8f);
    }
    case WallKind::End: {
        float platform = std::sqrt(x * x + z * z) - 2.92f;
        return smoothUnion(front, platform, 0.6f);
    }
    }
    return 1.0f;
}

namespace {

// Texture layout of a wall texture (512 x 512), in the file's v (0 at the bottom row):
const float topV0 = 0.2515f;     // top of the piece: v from topV0 (z = +3) to 1 (z = -3), u = (x + 3) / 6
const float sideV0 = 0.128f;     // side stones: v from sideV0 (y = -wallDepth) to sideV1 (y = 0)
const float sideV1 = 0.247f;     //   u = length along the outline / sideRepeat
const float bannerV0 = 0.004f;   // chequered band: v from bannerV0 to bannerV1, repeats in u
const float bannerV1 = 0.121f;
const float sideRepeat = 3.0f;   // metres of side wall per texture width
const int textureSize = 512;
// Marching-squares cells per side of the 6 x 6 cell: 0.6 m, so that the path's straight
// edges (x = +-2) fall between grid lines and are cut exactly by interpolation. A finer grid
// only rounds the curves' corners a little more, but every wall triangle is transformed
// three times a frame (shadow, glow, scene), one piece after another: at 0.1875 m the walls
// alone held the frame rate of the software renderer to about 24 frames per second.
const int gridCells = 10;

glm::vec2 topUv(float x, float z)
{
    return glm::vec2((x + 3.0f) / 6.0f, topV0 + (1.0f - topV0) * (3.0f - z) / 6.0f);
}

glm::vec3 outlineNormal(WallKind kind, float x, float z)
{
    const float e = 0.01f;
    float dx = wallOutline(kind, x + e, z) - wallOutline(kind, x - e, z);
    float dz = wallOutline(kind, x, z + e) - wallOutline(kind, x, z - e);
    glm::vec3 n(dx, 0.0f, dz);
    return glm::length(n) > 1e-9f ? glm::normalize(n) : glm::vec3(1, 0, 0);
}

struct Crossing {
    int edgeId;
    glm::vec2 point; // (x, z)
};

// Builds the slab of a wall piece: top, sides along the outline, bottom.
Mesh buildSlab(WallKind kind, const std::string& name)
{
    const int n = gridCells;
    const float step = cellSize / float(n);
    auto gx = [&](int i) { return -cellSize * 0.5f + step * float(i); };
    std::vector<float> field(size_t(n + 1) * (n + 1));
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i)
            field[size_t(j) * (n + 1) + i] = wallOutline(kind, gx(i), gx(j));
    auto value = [&](int i, int j) { return field[size_t(j) * (n + 1) + i]; };
    // Edge ids: horizontal edge (i,j)-(i+1,j) -> even, vertical edge (i,j)-(i,j+1) -> odd.
    auto edgeId = [&](int i, int j, bool vertical) { return (j * (n + 1) + i) * 2 + (vertical ? 1 : 0); };

    Mesh mesh(name);
    std::map<int, int> next;            // boundary: crossing edge -> following crossing edge
    std::map<int, glm::vec2> points;    // crossing edge -> its point
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            // Corners counter-clockwise in (x, z): (i,j) (i+1,j) (i+1,j+1) (i,j+1).
            const int ci[4] = {i, i + 1, i + 1, i}, cj[4] = {j, j, j + 1, j + 1};
            const int edges[4] = {edgeId(i, j, false), edgeId(i + 1, j, true), edgeId(i, j + 1, false),
                                  edgeId(i, j, true)};
            struct PolygonPoint {
                glm::vec2 p;
                int crossingEdge; // -1 for a corner
                bool leaving;     // crossing from inside to outside
            };
            std::vector<PolygonPoint> polygon;
            for (int k = 0; k < 4; ++k) {
                int a = k, b = (k + 1) % 4;
                float va = value(ci[a], cj[a]), vb = value(ci[b], cj[b]);
                glm::vec2 pa(gx(ci[a]), gx(cj[a])), pb(gx(ci[b]), gx(cj[b]));
                if (va < 0.0f)
                    polygon.push_back({pa, -1, false});
                if ((va < 0.0f) != (vb < 0.0f)) {
                    // Interpolate the same way from both cells that share the edge.
                    bool forward = (k < 2);
                    glm::vec2 p0 = forward ? pa : pb, p1 = forward ? pb : pa;
                    float v0 = forward ? va : vb, v1 = forward ? vb : va;
                    float t = v0 / (v0 - v1);
                    polygon.push_back({p0 + (p1 - p0) * t, edges[k], va < 0.0f});
                }
            }
            if (polygon.size() < 3)
                continue;
            // Top and bottom: fans over the convex clipped cell.
            for (size_t k = 1; k + 1 < polygon.size(); ++k) {
                glm::vec2 a = polygon[0].p, b = polygon[k].p, c = polygon[k + 1].p;
                mesh.addTriangle(Vertex{{a.x, 0, a.y}, {0, 1, 0}, topUv(a.x, a.y)},
                                 Vertex{{b.x, 0, b.y}, {0, 1, 0}, topUv(b.x, b.y)},
                                 Vertex{{c.x, 0, c.y}, {0, 1, 0}, topUv(c.x, c.y)});
                auto bottomUv = [](glm::vec2 p) {
                    return glm::vec2(p.x / sideRepeat, sideV0 + 0.005f + (sideV1 - sideV0 - 0.01f) * (p.y + 3.0f) / 6.0f);
                };
                mesh.addTriangle(Vertex{{a.x, -wallDepth, a.y}, {0, -1, 0}, bottomUv(a)},
                                 Vertex{{b.x, -wallDepth, b.y}, {0, -1, 0}, bottomUv(b)},
                                 Vertex{{c.x, -wallDepth, c.y}, {0, -1, 0}, bottomUv(c)});
            }
            // Boundary segments: from a leaving crossing to the next crossing in the polygon.
            for (size_t k = 0; k < polygon.size(); ++k) {
                if (polygon[k].crossingEdge < 0 || !polygon[k].leaving)
                    continue;
                const PolygonPoint& from = polygon[k];
                const PolygonPoint& to = polygon[(k + 1) % polygon.size()];
                if (to.crossingEdge < 0)
                    continue;
                glm::vec2 mid = (from.p + to.p) * 0.5f;
                glm::vec3 outward = outlineNormal(kind, mid.x, mid.y);
                glm::vec2 along(outward.z, -outward.x); // (0,1,0) x outward, in (x, z)
                int e0 = from.crossingEdge, e1 = to.crossingEdge;
                if (glm::dot(to.p - from.p, along) < 0.0f)
                    std::swap(e0, e1);
                next[e0] = e1;
                points[from.crossingEdge] = from.p;
                points[to.crossingEdge] = to.p;
            }
        }
    }

    // Sides: walk the boundary chains, measuring length along them for u.
    std::map<int, bool> hasPredecessor;
    for (const auto& link : next)
        hasPredecessor[link.second] = true;
    std::map<int, bool> visited;
    auto walk = [&](int start) {
        float length = 0.0f;
        int current = start;
        while (next.count(current) && !visited[current]) {
            visited[current] = true;
            int following = next[current];
            glm::vec2 p = points[current], q = points[following];
            float segment = glm::length(q - p);
            glm::vec3 np = outlineNormal(kind, p.x, p.y), nq = outlineNormal(kind, q.x, q.y);
            float u0 = length / sideRepeat, u1 = (length + segment) / sideRepeat;
            Vertex topP{{p.x, 0, p.y}, np, {u0, sideV1}}, bottomP{{p.x, -wallDepth, p.y}, np, {u0, sideV0}};
            Vertex topQ{{q.x, 0, q.y}, nq, {u1, sideV1}}, bottomQ{{q.x, -wallDepth, q.y}, nq, {u1, sideV0}};
            mesh.addQuad(bottomP, bottomQ, topQ, topP);
            length += segment;
            current = following;
        }
    };
    for (const auto& link : next)
        if (!hasPredecessor.count(link.first))
            walk(link.first);
    for (const auto& link : next)
        if (!visited[link.first])
            walk(link.first);
    return mesh;
}

// The end piece's gate: two posts beside the path and a chequered banner across it, high
// enough for the ball and the following camera to pass below.
void addGoalGate(Mesh& mesh)
{
    const float postX = 2.45f, postTop = 3.35f;
    for (int s = -1; s <= 1; s += 2) {
        Mesh post = makeCylinder("post", {s * postX, -0.01f, 0.0f}, {s * postX, postTop, 0.0f}, 0.12f, 12, 0.0f);
        remapUv(post, {0.0f, bannerV0}, {1.0f, bannerV1});
        mesh.append(post);
        Mesh knob = makeSphere("knob", 0.2f, 12, 6);
        remapUv(knob, {0.0f, bannerV0}, {1.0f, bannerV1});
        mesh.append(knob, glm::mat4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, s * postX, postTop + 0.05f, 0, 1));
    }
    Mesh banner = makeBox("banner", {-postX, 2.75f, -0.06f}, {postX, 3.25f, 0.06f}, 0.0f);
    remapUv(banner, {0.0f, bannerV0}, {1.125f, bannerV1});
    mesh.append(banner);
}

// --- Textures ---------------------------------------------------------------------

struct Surface {
    glm::vec3 colour;
    float height;
};

// Irregular flagstones, in metres.
Surface flagstones(float x, float z)
{
    CellSample cell = cellNoise(x * 1.5f, z * 1.5f, 21u);
    float gap = cell.second - cell.nearest;
    float tint = float(cell.cellId & 0xFF) / 255.0f;
    float grain = fractalNoise(x * 6.0f, z * 6.0f, 22u, 4);
    glm::vec3 stone = mix(rgb(150, 142, 128), rgb(184, 172, 150), tint) * (0.82f + 0.3f * grain);
    float mortar = 1.0f - smoothstep(0.04f, 0.12f, gap);
    glm::vec3 colour = mix(stone, rgb(88, 84, 74), mortar);
    float height = 0.5f * smoothstep(0.02f, 0.16f, gap) + 0.15f * grain;
    return {colour, height};
}

// The top of a piece at (x, z) of its cell.
Surface topSurface(WallKind kind, float x, float z)
{
    float d = wallOutline(kind, x, z);
    Surface s = flagstones(x, z);
    // A kerb of darker stone along the edges shows where the path ends.
    const float kerb = 0.28f;
    if (d > -kerb) {
        float along = (x + z) * 2.0f;
        float grain = fractalNoise(x * 8.0f, z * 8.0f, 31u, 3);
        glm::vec3 kerbColour = rgb(110, 62, 44) * (0.8f + 0.35f * grain);
        float joint = std::fabs(along - std::round(along));
        float t = smoothstep(-kerb, -kerb + 0.04f, d);
        s.colour = mix(s.colour, kerbColour, t);
        s.height = lerp(s.height, 0.55f + 0.1f * grain - (joint < 0.05f ? 0.3f : 0.0f), t);
    }
    if (kind == WallKind::End) {
        // The goal marker: a gold disc in a chequered ring at the origin.
        float r = std::sqrt(x * x + z * z);
        float angle = std::atan2(z, x);
        if (r < 1.05f) {
            glm::vec3 c;
            if (r < 0.6f) {
                float star = 0.5f + 0.5f * std::cos(angle * 5.0f);
                c = mix(rgb(228, 176, 40), rgb(250, 220, 110), star * smoothstep(0.6f, 0.1f, r));
            } else {
                int sector = int(std::floor((angle + pi) / (2.0f * pi) * 16.0f));
                int band = r < 0.83f ? 0 : 1;
                c = ((sector + band) % 2) ? rgb(240, 240, 236) : rgb(30, 30, 34);
            }
            float edge = smoothstep(1.05f, 1.0f, r);
            s.colour = mix(s.colour, c, edge);
            s.height = lerp(s.height, 0.6f, edge);
        }
    }
    return s;
}

// Ashlar wall stones for the sides: 0.3 m courses of 0.6 m blocks, repeating every
// `sideRepeat` metres along u.
Surface sideStones(float along, float y)
{
    float course = std::floor(-y / 0.3f);
    float offset = std::fmod(course, 2.0f) * 0.3f;
    float blockPos = (along + offset) / 0.6f;
    float block = std::floor(blockPos);
    float inBlockX = (blockPos - block) * 0.6f;
    float inBlockY = -y - course * 0.3f;
    float gap = std::min(std::min(inBlockX, 0.6f - inBlockX), std::min(inBlockY, 0.3f - inBlockY));
    int blockIndex = (int(block) % 5 + 5) % 5;
    float tint = hashUnit(blockIndex, int(course), 41u);
    float grain = fractalNoise(along * 5.0f, y * 5.0f, 42u, 4, 15, 0);
    glm::vec3 stone = mix(rgb(128, 120, 108), rgb(160, 150, 130), tint) * (0.8f + 0.35f * grain);
    float mortar = 1.0f - smoothstep(0.015f, 0.035f, gap);
    glm::vec3 colour = mix(stone, rgb(70, 66, 60), mortar);
    // Darker toward the bottom, as if weathered.
    colour *= 0.75f + 0.25f * clamp01(1.0f + y / wallDepth);
    return {colour, 0.6f * smoothstep(0.0f, 0.05f, gap) + 0.2f * grain};
}

void paintWallTexture(WallKind kind, Image& colour, HeightField& height)
{
    const int size = textureSize;
    for (int row = 0; row < size; ++row) {
        float v = 1.0f - (float(row) + 0.5f) / float(size);
        for (int col = 0; col < size; ++col) {
            float u = (float(col) + 0.5f) / float(size);
            Surface s;
            if (v >= topV0 - 0.004f) {
                float x = u * 6.0f - 3.0f;
                float z = 3.0f - (v - topV0) / (1.0f - topV0) * 6.0f;
                s = topSurface(kind, x, z);
            } else if (v >= bannerV1 + 0.002f) {
                float y = -wallDepth + (v - sideV0) / (sideV1 - sideV0) * wallDepth;
                s = sideStones(u * sideRepeat, std::min(y, -0.001f));
            } else {
                int checkX = int(u * 16.0f), checkY = int((v - bannerV0) / (bannerV1 - bannerV0) * 2.0f);
                bool dark = ((checkX + checkY) % 2) == 0;
                s = {dark ? rgb(28, 28, 32) : rgb(238, 236, 230), 0.5f};
            }
            colour.at(col, row) = s.colour;
            height.at(col, row) = s.height;
        }
    }
}

bool writeWall(WallKind kind, const std::string& folder, const std::string& base, std::vector<std::string>& written)
{
    Image colour(textureSize, textureSize);
    HeightField height(textureSize, textureSize);
    paintWallTexture(kind, colour, height);
    std::string texture = "Textures/" + base + ".png", normal = "Textures/" + base + "_normal.png";
    bool ok = saveImage(colour, folder + "/" + texture);
    ok = saveImage(normalMapFromHeight(height, 0.12f, true, false), folder + "/" + normal) && ok;
    Mesh mesh = buildSlab(kind, base);
    if (kind == WallKind::End)
        addGoalGate(mesh);
    ok = writeCollada(folder + "/" + base + ".dae", {mesh}, {texture, normal}) && ok;
    written.push_back(texture);
    written.push_back(normal);
    written.push_back(base + ".dae");
    return ok;
}

} // namespace

bool generateWalls(const std::string& folder, std::vector<std::string>& written)
{
    bool ok = writeWall(WallKind::Straight, folder, "straightwall", written);
    ok = writeWall(WallKind::Curve, folder, "curvewall", written) && ok;
    ok = writeWall(WallKind::End, folder, "endwall", written) && ok;
    return ok;
}

} // namespace datagen
