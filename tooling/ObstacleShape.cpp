#include "tooling/ObstacleShape.h"

#include "tooling/ModelFileMesh.h"

namespace vantor::scene {

bool ObstacleShape::load(const std::string& fileName, ObstacleShape& shape, std::string& error)
{
    ModelFileMesh mesh;
    shape.vertices.clear();
    if (!readCollisionMesh(fileName, ModelKind::Textured, mesh, error))
        return false;
    shape.vertices = mesh.positions;
    if (shape.empty()) {
        error = "the collision mesh has no vertex";
        return false;
    }
    return true;
}

} // namespace vantor::scene
