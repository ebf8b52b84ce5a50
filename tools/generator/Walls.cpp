// The three wall pieces: a slab whose top is the walkable path (y = 0) and whose sides
// drop to y = -wallDepth, cut out of the cell by marching squares over the piece's outline
// (a signed distance function). The sides are left open where the path meets the
// neighbouring cell, so two pieces join without a step. One texture per piece holds the
// top painted for that piece, a strip of wall stones for the sides and a chequered band
// for the end piece's gate.
//
// Pieces stand on a 6 m grid, each turned by any quarter turn, and every joint must look
// like none: the paving is one pattern of the plane that repeats every cell and is
// unchanged by a quarter turn, and the side stones and the kerb's rope are laid along the
// outline so that a whole number of their repeats fits between two joints.
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
// Top of the piece: u from topU0 (x = -3) to topU1 (x = +3), v from topV0 (z = +3) to
// topV1 (z = -3). All four lie on texel boundaries, so that where two pieces meet in line,
// both read the same texels.
// NOTE: the texture repeats, so a filtered read at the image's border would blend in the
// far border (the kerb beside a curve's side arm, the chequered band of the bottom rows);
// a few texels all round carry the paving on past the cell instead.
const float topU0 = 3.0f / 512.0f;
const float topU1 = 509.0f / 512.0f;
const float topV0 = 129.0f / 512.0f;
const float topV1 = 506.0f / 512.0f;
const float sideV0 = 0.128f;     // side stones: v from sideV0 (y = -wallDepth) to sideV1 (y = 0)
const float sideV1 = 0.247f;     //   u = length along the outline / sideRepeat
const float bannerV0 = 0.004f;   // chequered band: v from bannerV0 to bannerV1, repeats in u
const float bannerV1 = 0.121f;
const float sideRepeat = 3.0f;   // metres of side wall per texture width (before fitting, see OutlineChain)
const float ropeTwist = 0.5f;    // metres of kerb per twist of its rope; sideRepeat holds whole twists
const int textureSize = 512;
// Marching-squares cells per side of the 6 x 6 cell: 0.6 m, so that the path's straight
// edges (x = +-2) fall between grid lines and are cut exactly by interpolation. A finer grid
// only rounds the curves' corners a little more, but every wall triangle is transformed
// three times a frame (shadow, glow, scene), one piece after another: at 0.1875 m the walls
// alone held the frame rate of the software renderer to about 24 frames per second.
const int gridCells = 10;

glm::vec2 topUv(float x, float z)
{
    return glm::vec2(topU0 + (topU1 - topU0) * (x + 3.0f) / 6.0f, topV0 + (topV1 - topV0) * (3.0f - z) / 6.0f);
}

// One run of the outline from joint to joint (or a closed loop), in the direction that has
// the outside on its right when seen from above. Lengths along it are stretched a little
// so that the run holds a whole number of side-stone repeats: the side stones (and the
// rope, whose twist divides them) then start and end every run at the same phase, and
// continue across the joint into the neighbour's run.
struct OutlineChain {
    std::vector<glm::vec2> points; // (x, z)
    float stretch = 1.0f;          // fitted length / measured length

    // The fitted length along the run of the point nearest to p, extended past the ends
    // (paint beyond a joint continues it); `distance` gets how far p lies from the run.
    float along(glm::vec2 p, float& distance) const;
};

float OutlineChain::along(glm::vec2 p, float& distance) const
{
    float best = 1e9f, bestAlong = 0.0f, start = 0.0f;
    for (size_t k = 0; k + 1 < points.size(); ++k) {
        glm::vec2 a = points[k], b = points[k + 1];
        float length = glm::length(b - a);
        float t = length > 0.0f ? glm::dot(p - a, b - a) / (length * length) : 0.0f;
        if (k > 0)
            t = std::max(t, 0.0f);
        if (k + 2 < points.size())
            t = std::min(t, 1.0f);
        float d = glm::length(a + (b - a) * t - p);
        if (d < best) {
            best = d;
            bestAlong = start + t * length;
        }
        start += length;
    }
    distance = best;
    return bestAlong * stretch;
}

float fittedStretch(float length)
{
    float repeats = std::max(1.0f, std::round(length / sideRepeat));
    return repeats * sideRepeat / length;
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

// Builds the slab of a wall piece: top, sides along the outline, bottom. The runs of the
// outline the sides follow go to `chains`.
Mesh buildSlab(WallKind kind, const std::string& name, std::vector<OutlineChain>& chains)
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

    // Sides: walk the boundary chains, then lay the side stones along each by its fitted length.
    std::map<int, bool> hasPredecessor;
    for (const auto& link : next)
        hasPredecessor[link.second] = true;
    std::map<int, bool> visited;
    auto walk = [&](int start) {
        OutlineChain chain;
        int current = start;
        chain.points.push_back(points[current]);
        while (next.count(current) && !visited[current]) {
            visited[current] = true;
            current = next[current];
            chain.points.push_back(points[current]);
        }
        chains.push_back(chain);
    };
    for (const auto& link : next)
        if (!hasPredecessor.count(link.first))
            walk(link.first);
    for (const auto& link : next)
        if (!visited[link.first])
            walk(link.first);
    for (OutlineChain& chain : chains) {
        float length = 0.0f;
        for (size_t k = 0; k + 1 < chain.points.size(); ++k)
            length += glm::length(chain.points[k + 1] - chain.points[k]);
        chain.stretch = fittedStretch(length);
        float along = 0.0f;
        for (size_t k = 0; k + 1 < chain.points.size(); ++k) {
            glm::vec2 p = chain.points[k], q = chain.points[k + 1];
            float segment = glm::length(q - p) * chain.stretch;
            glm::vec3 np = outlineNormal(kind, p.x, p.y), nq = outlineNormal(kind, q.x, q.y);
            float u0 = along / sideRepeat, u1 = (along + segment) / sideRepeat;
            Vertex topP{{p.x, 0, p.y}, np, {u0, sideV1}}, bottomP{{p.x, -wallDepth, p.y}, np, {u0, sideV0}};
            Vertex topQ{{q.x, 0, q.y}, nq, {u1, sideV1}}, bottomQ{{q.x, -wallDepth, q.y}, nq, {u1, sideV0}};
            mesh.addQuad(bottomP, bottomQ, topQ, topP);
            along += segment;
        }
    }
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

// --- The paving: one pattern for every piece, however turned --------------------------

const int stoneCells = 10; // flagstone lattice cells along a cell's side: one stone about every 0.6 m

glm::vec2 quarterTurn(glm::vec2 p)
{
    return glm::vec2(-p.y, p.x);
}

// The flagstone centre of lattice cell (i, j), in lattice units, and its stone's id: a
// cellPoint, but drawn only for the cells of one quadrant around the cell's centre and
// turned into the other three, and repeating every stoneCells: so the set of centres is
// unchanged by a quarter turn or a step of one cell.
glm::vec2 stoneCentre(int i, int j, uint32_t& id)
{
    const int half = stoneCells / 2;
    // The cell's copy in the repeat around the centre, (a, b) in -half .. half - 1.
    const int reducedA = ((i + half) % stoneCells + stoneCells) % stoneCells - half;
    const int reducedB = ((j + half) % stoneCells + stoneCells) % stoneCells - half;
    // A quarter turn about the centre carries lattice cell (a, b) to (-b - 1, a).
    int a = reducedA, b = reducedB, turns = 0;
    while (a < 0 || b < 0) {
        int turned = -b - 1;
        b = a;
        a = turned;
        ++turns;
    }
    CellPoint point = cellPoint(a, b, 21u);
    id = point.id;
    glm::vec2 centre(point.x, point.y);
    for (int k = 0; k < (4 - turns) % 4; ++k)
        centre = quarterTurn(centre);
    return centre + glm::vec2(float(i - reducedA), float(j - reducedB));
}

// cellNoise over the stone centres, at (x, z) in metres.
CellSample pavingCells(float x, float z)
{
    const float perMetre = float(stoneCells) / cellSize;
    return cellNoiseOver(x * perMetre, z * perMetre, [](int i, int j, float& px, float& pz, uint32_t& id) {
        glm::vec2 centre = stoneCentre(i, j, id);
        px = centre.x;
        pz = centre.y;
    });
}

// Fractal noise that repeats every cell and is unchanged by a quarter turn: the mean of a
// repeating noise over the four turns, its contrast restored (a mean of four is flatter).
// `perMetre` times cellSize must be whole.
float pavingNoise(float x, float z, uint32_t seed, float perMetre, int octaves)
{
    const int period = int(std::lround(cellSize * perMetre));
    glm::vec2 p(x, z);
    float sum = 0.0f;
    for (int k = 0; k < 4; ++k) {
        sum += fractalNoise(p.x * perMetre, p.y * perMetre, seed, octaves, period, period);
        p = quarterTurn(p);
    }
    return clamp01(0.5f + (sum * 0.25f - 0.5f) * 1.8f);
}

// Irregular flagstones, in metres.
Surface flagstones(float x, float z)
{
    CellSample cell = pavingCells(x, z);
    float gap = cell.second - cell.nearest;
    float tint = float(cell.cellId & 0xFF) / 255.0f;
    float grain = pavingNoise(x, z, 22u, 6.0f, 4);
    glm::vec3 stone = mix(rgb(150, 142, 128), rgb(184, 172, 150), tint) * (0.82f + 0.3f * grain);
    float mortar = 1.0f - smoothstep(0.04f, 0.12f, gap);
    glm::vec3 colour = mix(stone, rgb(88, 84, 74), mortar);
    float height = 0.5f * smoothstep(0.02f, 0.16f, gap) + 0.15f * grain;
    return {colour, height};
}

// The top of a piece at (x, z) of its cell; `chains` are the runs of its outline.
Surface topSurface(WallKind kind, const std::vector<OutlineChain>& chains, float x, float z)
{
    float d = wallOutline(kind, x, z);
    Surface s = flagstones(x, z);
    // A kerb of darker stone along the edges shows where the path ends; the rope twisted
    // along it is laid by length along the nearest run of the outline.
    const float kerb = 0.28f;
    if (d > -kerb) {
        float along = 0.0f, nearest = 1e9f;
        for (const OutlineChain& chain : chains) {
            float distance = 0.0f;
            float a = chain.along(glm::vec2(x, z), distance);
            if (distance < nearest) {
                nearest = distance;
                along = a;
            }
        }
        float twist = (along + d) / ropeTwist;
        float grain = pavingNoise(x, z, 31u, 8.0f, 3);
        glm::vec3 kerbColour = rgb(110, 62, 44) * (0.8f + 0.35f * grain);
        float joint = std::fabs(twist - std::round(twist));
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

void paintWallTexture(WallKind kind, const std::vector<OutlineChain>& chains, Image& colour, HeightField& height)
{
    const int size = textureSize;
    for (int row = 0; row < size; ++row) {
        float v = 1.0f - (float(row) + 0.5f) / float(size);
        for (int col = 0; col < size; ++col) {
            float u = (float(col) + 0.5f) / float(size);
            Surface s;
            if (v >= topV0 - 0.004f) {
                float x = (u - topU0) / (topU1 - topU0) * 6.0f - 3.0f;
                float z = 3.0f - (v - topV0) / (topV1 - topV0) * 6.0f;
                s = topSurface(kind, chains, x, z);
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
    std::vector<OutlineChain> chains;
    Mesh mesh = buildSlab(kind, base, chains);
    paintWallTexture(kind, chains, colour, height);
    std::string texture = "Textures/" + base + ".png", normal = "Textures/" + base + "_normal.png";
    bool ok = saveImage(colour, folder + "/" + texture);
    ok = saveImage(normalMapFromHeight(height, 0.12f, true, false), folder + "/" + normal) && ok;
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
