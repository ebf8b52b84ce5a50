#include "tooling/ModelFileMesh.h"

#include "model/ModelFile.h"

#include <glm/vector_relational.hpp>

namespace vantor::scene {

bool readCollisionMesh(const std::string& fileName, ModelKind kind, ModelFileMesh& mesh, std::string& error)
{
    mesh = ModelFileMesh();
    const ModelFile file = readModelFile(fileName, kind, ModelParts::CollisionOnly);
    if (!file.readable || file.meshCount == 0) {
        error = !file.readable ? file.error : "the file holds no mesh";
        return false;
    }
    for (const glm::mat4& vertex : file.collisionVertices)
        mesh.positions.emplace_back(vertex[3]);
    // The game keeps the indices as floats, exact up to 2^24 vertices; a corner rounded past
    // the last vertex is left out, as the game's collision mesh leaves it out.
    const glm::uvec3 vertexCount(mesh.positions.size());
    for (const glm::vec3& triangle : file.collisionTriangles)
        if (glm::all(glm::lessThan(glm::uvec3(triangle), vertexCount)))
            mesh.triangles.emplace_back(triangle);
    return true;
}

} // namespace vantor::scene
