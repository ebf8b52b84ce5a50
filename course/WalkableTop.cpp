#include "course/WalkableTop.h"

#include "model/CollisionMesh.h"

#include <algorithm>
#include <cmath>
#include <glm/common.hpp>
#include <glm/geometric.hpp>

namespace vantor::scene {

namespace {

const float flatTolerance = 0.005f; // world units; how far from y = 0 a top corner may lie

float cross(glm::vec2 a, glm::vec2 b)
{
    return a.x * b.y - a.y * b.x;
}

bool inTriangle(glm::vec2 p, glm::vec2 a, glm::vec2 b, glm::vec2 c)
{
    const float d1 = cross(b - a, p - a), d2 = cross(c - b, p - b), d3 = cross(a - c, p - c);
    const float eps = 1e-6f;
    const bool negative = d1 < -eps || d2 < -eps || d3 < -eps;
    const bool positive = d1 > eps || d2 > eps || d3 > eps;
    return !(negative && positive);
}

void addIfFlatTop(WalkableTop& top, glm::vec3 a, glm::vec3 b, glm::vec3 c)
{
    if (std::fabs(a.y) > flatTolerance || std::fabs(b.y) > flatTolerance || std::fabs(c.y) > flatTolerance)
        return;
    // The bottom of a slab lies lower; a face at y = 0 that is not degenerate is top.
    if (std::fabs(cross(glm::vec2(b.x - a.x, b.z - a.z), glm::vec2(c.x - a.x, c.z - a.z))) < 1e-8f)
        return;
    top.triangles.push_back(glm::vec2(a.x, a.z));
    top.triangles.push_back(glm::vec2(b.x, b.z));
    top.triangles.push_back(glm::vec2(c.x, c.z));
}

} // namespace

WalkableTop WalkableTop::fromCollisionMesh(const std::vector<glm::mat4>& vertices,
                                           const std::vector<glm::vec3>& triangles)
{
    WalkableTop top;
    for (const glm::vec3& face : triangles) {
        if (!isCollisionIndex(face.x, vertices.size()) || !isCollisionIndex(face.y, vertices.size()) ||
            !isCollisionIndex(face.z, vertices.size()))
            continue;
        const size_t i = size_t(face.x), j = size_t(face.y), k = size_t(face.z);
        addIfFlatTop(top, glm::vec3(vertices[i][3]), glm::vec3(vertices[j][3]), glm::vec3(vertices[k][3]));
    }
    return top;
}

bool WalkableTop::holds(glm::vec2 point, float margin) const
{
    auto covered = [this](glm::vec2 p) {
        for (size_t t = 0; t + 2 < triangles.size(); t += 3)
            if (inTriangle(p, triangles[t], triangles[t + 1], triangles[t + 2]))
                return true;
        return false;
    };
    if (!covered(point))
        return false;
    if (margin <= 0.0f)
        return true;
    for (int k = 0; k < 8; ++k) {
        const float angle = float(k) * 0.78539816f;
        if (!covered(point + margin * glm::vec2(std::cos(angle), std::sin(angle))))
            return false;
    }
    return true;
}

std::vector<unsigned char> WalkableTop::coverage(glm::vec2 corner, float step, int columns, int rows) const
{
    std::vector<unsigned char> covered(size_t(columns) * size_t(rows), 0);
    auto index = [&](float coordinate, float start, int count) {
        return std::max(0, std::min(count, int(std::floor((coordinate - start) / step))));
    };
    for (size_t t = 0; t + 2 < triangles.size(); t += 3) {
        const glm::vec2 a = triangles[t], b = triangles[t + 1], c = triangles[t + 2];
        const glm::vec2 low = glm::min(a, glm::min(b, c)), high = glm::max(a, glm::max(b, c));
        const int i0 = index(low.x - step, corner.x, columns), i1 = index(high.x + step, corner.x, columns);
        const int j0 = index(low.y - step, corner.y, rows), j1 = index(high.y + step, corner.y, rows);
        for (int j = j0; j < j1; ++j)
            for (int i = i0; i < i1; ++i) {
                unsigned char& cell = covered[size_t(j) * size_t(columns) + size_t(i)];
                if (!cell && inTriangle(corner + step * glm::vec2(float(i) + 0.5f, float(j) + 0.5f), a, b, c))
                    cell = 1;
            }
    }
    return covered;
}

} // namespace vantor::scene
