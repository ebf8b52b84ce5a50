#pragma once
#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <vector>

namespace vantor::scene {

// The walkable top of a wall piece: the upward faces of its mesh at y = 0, flattened to
// (x, z) triangles in the piece's own coordinates. Tells whether a point, with room around
// it, lies on the top: where an item can stand and where the ball can roll.
class WalkableTop {
public:
    // Keeps the faces of a wall's collision description (vertex matrices holding positions
    // in their fourth column, triangles of three vertex indices) that lie flat at y = 0. The
    // game passes its wall prototypes' descriptions, the checker those it reads from the
    // model files; a triangle with an index outside the vertex list is skipped.
    static WalkableTop fromCollisionMesh(const std::vector<glm::mat4>& vertices,
                                         const std::vector<glm::vec3>& triangles);

    // True when (x, z) lies on the top and so do the points `margin` away in eight
    // directions around it.
    bool holds(glm::vec2 point, float margin = 0.0f) const;
    bool empty() const { return triangles.empty(); }
    // Which points of a grid lie on the top: the point of column i and row j is
    // corner + step * (i + 0.5, j + 0.5); one byte a point, 1 on the top, rows one after
    // another. Time grows with the grid and the triangles' areas, not their product.
    std::vector<unsigned char> coverage(glm::vec2 corner, float step, int columns, int rows) const;

    std::vector<glm::vec2> triangles; // three corners a face, (x, z) in the piece's coordinates
};

} // namespace vantor::scene
