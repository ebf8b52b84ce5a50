#include "tooling/ObstacleShape.h"

#include "tooling/ModelFileMesh.h"

namespace vantor::scene {

bool ObstacleShape::load(const std::string& fileName, ObstacleShape& shape, std::string& error)
{
    // The game draws every mesh but the last and collides with the last one.
    ModelFileMesh mesh;
    shape.vertices.clear();
    if (!readModelFileMesh(fileName, WhichMesh::Last, mesh, error))
        return false;
    shape.vertices = mesh.positions;
    if (shape.empty()) {
        error = "the collision mesh has no vertex";
        return false;
    }
    return true;
}

} // namespace vantor::scene
