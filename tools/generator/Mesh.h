#pragma once
#include <cstdint>
#include <functional>
#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <unordered_map>
#include <vector>

// Triangle meshes of the generator and the builders for the shapes the models are made of.
// Every vertex carries a position, a unit normal and a texture coordinate (u right, v up
// in the image, the COLLADA convention).
namespace datagen {

struct Vertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 uv;
};

class Mesh {
public:
    std::string name; // the geometry id in the COLLADA file, and so the mesh's name in assimp

    explicit Mesh(std::string name = "mesh");

    // Adds a vertex, reusing an identical one; returns its index.
    uint32_t addVertex(const Vertex& vertex);
    // Adds a triangle; degenerate ones (no area) are dropped.
    void addTriangle(const Vertex& a, const Vertex& b, const Vertex& c);
    void addTriangle(uint32_t a, uint32_t b, uint32_t c);
    // Adds a quad a-b-c-d (counter-clockwise seen from the front) as two triangles.
    void addQuad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);
    // Appends another mesh, its positions and normals transformed by `transform`.
    void append(const Mesh& other, const glm::mat4& transform = glm::mat4(1.0f));

    size_t triangleCount() const { return indices.size() / 3; }
    void bounds(glm::vec3& low, glm::vec3& high) const;

    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices;

private:
    struct KeyHash {
        size_t operator()(const std::vector<uint32_t>& key) const;
    };
    std::unordered_map<std::vector<uint32_t>, uint32_t, KeyHash> lookup;
};

// An axis-aligned box. Each face's texture runs over 0..1 when `uvScale` <= 0, otherwise it
// repeats every `uvScale` units; seen from outside no face is mirrored.
Mesh makeBox(const std::string& name, glm::vec3 low, glm::vec3 high, float uvScale);

// The coarse collision / bounding-box mesh of some meshes: their axis-aligned box (12
// triangles, outward facing, with texture coordinates).
Mesh makeBoundingBoxMesh(const std::string& name, const std::vector<const Mesh*>& meshes);

// A surface of revolution about the y axis. `profile` holds (radius, height) points from
// bottom to top; u runs once around (0..uRepeat), v along the profile (vLow..vHigh by arc
// length). Normals are computed from the profile. `segments` around.
Mesh makeLathe(const std::string& name, const std::vector<glm::vec2>& profile, int segments, float uRepeat = 1.0f,
               float vLow = 0.0f, float vHigh = 1.0f);

// A sphere of `radius` about the origin with `segments` around and `rings` from pole to pole.
Mesh makeSphere(const std::string& name, float radius, int segments, int rings);

// A tube along a path: at each path point a ring of `sides` points in the plane spanned by
// `side` and `up` frames, scaled by radius(t) (t from 0 to 1 along the path). The two ends
// are closed by fans. u around the tube, v along it.
struct TubeFrame {
    glm::vec3 center;
    glm::vec3 side;   // unit, across the tube
    glm::vec3 up;     // unit, across the tube, perpendicular to side
    float radiusSide; // half-width along `side`
    float radiusUp;   // half-width along `up`
};
Mesh makeTube(const std::string& name, const std::vector<TubeFrame>& frames, int sides, float vRepeat = 1.0f);

// A capped cylinder from `a` to `b` (posts, bars); v runs along it, once per `uvScale` units
// (once in all when `uvScale` <= 0).
Mesh makeCylinder(const std::string& name, glm::vec3 a, glm::vec3 b, float radius, int sides, float uvScale);

// Moves every vertex's texture coordinate into the rectangle `low`..`high` of the image
// (u, v given in 0..1 are mapped linearly).
void remapUv(Mesh& mesh, glm::vec2 low, glm::vec2 high);

// Rebuilds a mesh with each vertex's texture coordinate replaced by `uvOf(vertex)`.
void mapUv(Mesh& mesh, const std::function<glm::vec2(const Vertex&)>& uvOf);

// Moves a mesh so that its lowest point lies at y = `floor`.
void standOn(Mesh& mesh, float floor = 0.0f);

} // namespace datagen
