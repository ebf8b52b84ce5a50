#include "generator/Mesh.h"

#include <cmath>
#include <cstring>
#include <glm/geometric.hpp>
#include <glm/mat3x3.hpp>

namespace datagen {

namespace {

const float pi = 3.14159265358979f;

uint32_t bitsOf(float value)
{
    if (value == 0.0f)
        value = 0.0f; // one key for +0 and -0
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

size_t Mesh::KeyHash::operator()(const std::vector<uint32_t>& key) const
{
    size_t h = 1469598103934665603ULL;
    for (uint32_t k : key) {
        h ^= k;
        h *= 1099511628211ULL;
    }
    return h;
}

Mesh::Mesh(std::string name) : name(std::move(name)) {}

uint32_t Mesh::addVertex(const Vertex& v)
{
    std::vector<uint32_t> key = {bitsOf(v.position.x), bitsOf(v.position.y), bitsOf(v.position.z),
                                 bitsOf(v.normal.x),   bitsOf(v.normal.y),   bitsOf(v.normal.z),
                                 bitsOf(v.uv.x),       bitsOf(v.uv.y)};
    auto found = lookup.find(key);
    if (found != lookup.end())
        return found->second;
    uint32_t index = uint32_t(vertices.size());
    vertices.push_back(v);
    lookup.emplace(std::move(key), index);
    return index;
}

void Mesh::addTriangle(uint32_t a, uint32_t b, uint32_t c)
{
    const Vertex& va = vertices[a];
    const Vertex& vb = vertices[b];
    const Vertex& vc = vertices[c];
    glm::vec3 face = glm::cross(vb.position - va.position, vc.position - va.position);
    if (glm::length(face) < 1e-9f)
        return;
    // The winding follows the normals: counter-clockwise seen from where they point.
    if (glm::dot(face, va.normal + vb.normal + vc.normal) < 0.0f)
        std::swap(b, c);
    indices.push_back(a);
    indices.push_back(b);
    indices.push_back(c);
}

void Mesh::addTriangle(const Vertex& a, const Vertex& b, const Vertex& c)
{
    glm::vec3 face = glm::cross(b.position - a.position, c.position - a.position);
    if (glm::length(face) < 1e-9f)
        return;
    uint32_t ia = addVertex(a), ib = addVertex(b), ic = addVertex(c);
    addTriangle(ia, ib, ic);
}

void Mesh::addQuad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d)
{
    addTriangle(a, b, c);
    addTriangle(a, c, d);
}

void Mesh::append(const Mesh& other, const glm::mat4& transform)
{
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(transform)));
    std::vector<uint32_t> mapped;
    mapped.reserve(other.vertices.size());
    for (const Vertex& v : other.vertices) {
        Vertex t = v;
        t.position = glm::vec3(transform * glm::vec4(v.position, 1.0f));
        t.normal = glm::normalize(normalMatrix * v.normal);
        mapped.push_back(addVertex(t));
    }
    for (size_t i = 0; i + 2 < other.indices.size(); i += 3)
        addTriangle(mapped[other.indices[i]], mapped[other.indices[i + 1]], mapped[other.indices[i + 2]]);
}

void Mesh::bounds(glm::vec3& low, glm::vec3& high) const
{
    low = glm::vec3(1e30f);
    high = glm::vec3(-1e30f);
    for (const Vertex& v : vertices) {
        low = glm::min(low, v.position);
        high = glm::max(high, v.position);
    }
}

Mesh makeBox(const std::string& name, glm::vec3 low, glm::vec3 high, float uvScale)
{
    Mesh mesh(name);
    glm::vec3 center = (low + high) * 0.5f;
    glm::vec3 half = (high - low) * 0.5f;
    struct Face {
        glm::vec3 normal, tangent, bitangent;
    };
    const Face faces[6] = {
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}}, {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
        {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}}, {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    };
    for (const Face& f : faces) {
        glm::vec3 c = center + f.normal * glm::dot(glm::abs(f.normal), half);
        float ht = glm::dot(glm::abs(f.tangent), half), hb = glm::dot(glm::abs(f.bitangent), half);
        Vertex corners[4];
        const float su[4] = {-1, 1, 1, -1}, sv[4] = {-1, -1, 1, 1};
        for (int i = 0; i < 4; ++i) {
            glm::vec3 p = c + f.tangent * (su[i] * ht) + f.bitangent * (sv[i] * hb);
            glm::vec2 uv;
            if (uvScale > 0.0f)
                uv = glm::vec2(glm::dot(p, f.tangent), glm::dot(p, f.bitangent)) / uvScale;
            else
                uv = glm::vec2(su[i] * 0.5f + 0.5f, sv[i] * 0.5f + 0.5f);
            corners[i] = {p, f.normal, uv};
        }
        mesh.addQuad(corners[0], corners[1], corners[2], corners[3]);
    }
    return mesh;
}

Mesh makeBoundingBoxMesh(const std::string& name, const std::vector<const Mesh*>& meshes)
{
    glm::vec3 low(1e30f), high(-1e30f);
    for (const Mesh* m : meshes) {
        glm::vec3 l, h;
        m->bounds(l, h);
        low = glm::min(low, l);
        high = glm::max(high, h);
    }
    return makeBox(name, low, high, 0.0f);
}

Mesh makeLathe(const std::string& name, const std::vector<glm::vec2>& profile, int segments, float uRepeat, float vLow,
               float vHigh)
{
    Mesh mesh(name);
    size_t count = profile.size();
    // Normals of the profile's segments in the (radius, height) plane, pointing outward.
    std::vector<glm::vec2> segmentNormals(count > 0 ? count - 1 : 0);
    std::vector<bool> segmentValid(segmentNormals.size());
    std::vector<float> arc(count, 0.0f);
    for (size_t i = 0; i + 1 < count; ++i) {
        glm::vec2 d = profile[i + 1] - profile[i];
        float length = glm::length(d);
        segmentValid[i] = length > 1e-7f;
        segmentNormals[i] = segmentValid[i] ? glm::vec2(d.y, -d.x) / length : glm::vec2(0.0f);
        arc[i + 1] = arc[i] + length;
    }
    float total = arc.empty() || arc.back() <= 0.0f ? 1.0f : arc.back();
    std::vector<glm::vec2> pointNormals(count);
    for (size_t i = 0; i < count; ++i) {
        glm::vec2 n(0.0f);
        bool hardBefore = i + 1 < count && !segmentValid[i];  // a repeated point starts a new smoothing group
        bool hardAfter = i > 0 && !segmentValid[i - 1];
        if (i > 0 && segmentValid[i - 1] && !hardBefore)
            n += segmentNormals[i - 1];
        if (i + 1 < count && segmentValid[i] && !hardAfter)
            n += segmentNormals[i];
        if (i > 0 && segmentValid[i - 1] && hardBefore)
            n = segmentNormals[i - 1];
        if (i + 1 < count && segmentValid[i] && hardAfter)
            n = segmentNormals[i];
        pointNormals[i] = glm::length(n) > 0.0f ? glm::normalize(n) : glm::vec2(0.0f, 1.0f);
    }
    auto vertexAt = [&](size_t i, int s) {
        float u = float(s) / float(segments);
        float angle = 2.0f * pi * u;
        float c = std::cos(angle), sn = std::sin(angle);
        glm::vec3 position(profile[i].x * c, profile[i].y, -profile[i].x * sn);
        glm::vec3 normal(pointNormals[i].x * c, pointNormals[i].y, -pointNormals[i].x * sn);
        if (glm::length(normal) < 1e-6f)
            normal = glm::vec3(0, 1, 0);
        float v = vLow + (vHigh - vLow) * arc[i] / total;
        return Vertex{position, glm::normalize(normal), glm::vec2(u * uRepeat, v)};
    };
    for (size_t i = 0; i + 1 < count; ++i) {
        if (!segmentValid[i])
            continue;
        for (int s = 0; s < segments; ++s) {
            Vertex a = vertexAt(i, s), b = vertexAt(i, s + 1), c = vertexAt(i + 1, s + 1), d = vertexAt(i + 1, s);
            // At a pole (radius 0) the ring collapses; give the pole vertex the middle u.
            if (profile[i].x == 0.0f) {
                a.uv.x = b.uv.x = (a.uv.x + b.uv.x) * 0.5f;
            }
            if (profile[i + 1].x == 0.0f) {
                c.uv.x = d.uv.x = (c.uv.x + d.uv.x) * 0.5f;
            }
            mesh.addQuad(a, b, c, d);
        }
    }
    return mesh;
}

Mesh makeSphere(const std::string& name, float radius, int segments, int rings)
{
    std::vector<glm::vec2> profile;
    for (int i = 0; i <= rings; ++i) {
        float angle = -pi * 0.5f + pi * float(i) / float(rings);
        float r = radius * std::cos(angle);
        if (i == 0 || i == rings)
            r = 0.0f;
        profile.emplace_back(r, radius * std::sin(angle));
    }
    return makeLathe(name, profile, segments);
}

Mesh makeTube(const std::string& name, const std::vector<TubeFrame>& frames, int sides, float vRepeat)
{
    Mesh mesh(name);
    std::vector<float> arc(frames.size(), 0.0f);
    for (size_t i = 1; i < frames.size(); ++i)
        arc[i] = arc[i - 1] + glm::length(frames[i].center - frames[i - 1].center);
    float total = arc.empty() || arc.back() <= 0.0f ? 1.0f : arc.back();
    auto ring = [&](size_t i, int s) {
        const TubeFrame& f = frames[i];
        float u = float(s) / float(sides);
        float angle = 2.0f * pi * u;
        float c = std::cos(angle), sn = std::sin(angle);
        glm::vec3 position = f.center + f.side * (c * f.radiusSide) + f.up * (sn * f.radiusUp);
        glm::vec3 normal = f.side * (c / std::max(f.radiusSide, 1e-4f)) + f.up * (sn / std::max(f.radiusUp, 1e-4f));
        if (glm::length(normal) < 1e-8f)
            normal = glm::cross(f.side, f.up);
        return Vertex{position, glm::normalize(normal), glm::vec2(u, vRepeat * arc[i] / total)};
    };
    for (size_t i = 0; i + 1 < frames.size(); ++i) {
        for (int s = 0; s < sides; ++s)
            mesh.addQuad(ring(i, s), ring(i, s + 1), ring(i + 1, s + 1), ring(i + 1, s));
    }
    // Caps, flat, facing along the path.
    for (int end = 0; end < 2 && frames.size() >= 2; ++end) {
        size_t i = end == 0 ? 0 : frames.size() - 1;
        const TubeFrame& f = frames[i];
        if (f.radiusSide < 1e-5f && f.radiusUp < 1e-5f)
            continue;
        glm::vec3 normal = glm::normalize(glm::cross(f.side, f.up)) * (end == 0 ? -1.0f : 1.0f);
        Vertex center{f.center, normal, glm::vec2(0.5f, 0.5f)};
        for (int s = 0; s < sides; ++s) {
            Vertex a = ring(i, s), b = ring(i, s + 1);
            float a0 = 2.0f * pi * float(s) / float(sides), a1 = 2.0f * pi * float(s + 1) / float(sides);
            a.normal = b.normal = normal;
            // Seen from outside, `side` points right on the far cap and left on the near one.
            float flip = end == 0 ? -1.0f : 1.0f;
            a.uv = glm::vec2(0.5f + flip * 0.5f * std::cos(a0), 0.5f + 0.5f * std::sin(a0));
            b.uv = glm::vec2(0.5f + flip * 0.5f * std::cos(a1), 0.5f + 0.5f * std::sin(a1));
            mesh.addTriangle(center, a, b);
        }
    }
    return mesh;
}

Mesh makeCylinder(const std::string& name, glm::vec3 a, glm::vec3 b, float radius, int sides, float uvScale)
{
    glm::vec3 axis = glm::normalize(b - a);
    glm::vec3 helper = std::fabs(axis.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    glm::vec3 side = glm::normalize(glm::cross(helper, axis));
    glm::vec3 up = glm::cross(axis, side); // side x up = axis
    float length = glm::length(b - a);
    std::vector<TubeFrame> frames = {{a, side, up, radius, radius}, {b, side, up, radius, radius}};
    Mesh mesh = makeTube(name, frames, sides, uvScale > 0.0f ? length / uvScale : 1.0f);
    return mesh;
}

void remapUv(Mesh& mesh, glm::vec2 low, glm::vec2 high)
{
    mapUv(mesh, [&](const Vertex& v) { return low + (high - low) * v.uv; });
}

void mapUv(Mesh& mesh, const std::function<glm::vec2(const Vertex&)>& uvOf)
{
    Mesh out(mesh.name);
    std::vector<uint32_t> mapped;
    for (Vertex v : mesh.vertices) {
        v.uv = uvOf(v);
        mapped.push_back(out.addVertex(v));
    }
    for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3)
        out.addTriangle(mapped[mesh.indices[i]], mapped[mesh.indices[i + 1]], mapped[mesh.indices[i + 2]]);
    mesh = out;
}

void standOn(Mesh& mesh, float floor)
{
    glm::vec3 low, high;
    mesh.bounds(low, high);
    Mesh out(mesh.name);
    glm::mat4 shift(1.0f);
    shift[3] = glm::vec4(0.0f, floor - low.y, 0.0f, 1.0f);
    out.append(mesh, shift);
    mesh = out;
}

} // namespace datagen
