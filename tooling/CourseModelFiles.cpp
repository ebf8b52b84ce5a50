#include "tooling/CourseModelFiles.h"

#include "tooling/ModelFileMesh.h"

namespace vantor::scene {

bool loadCourseModels(const std::string& modelFolder, CourseModels& models, std::string& error)
{
    const char* walls[3] = {"endwall.dae", "straightwall.dae", "curvewall.dae"};              // by WallKind
    const char* obstacles[4] = {"Rolle.dae", "Gitter.dae", "Holzbarrikade.dae", "Sandhaufen.dae"}; // by code - 1
    ModelFileMesh mesh;
    std::string why;
    for (int k = 0; k < 3; ++k) {
        const std::string file = modelFolder + walls[k];
        if (!readModelFileMesh(file, WhichMesh::First, mesh, why)) {
            error = file + ": " + why;
            return false;
        }
        models.tops[size_t(k)] = WalkableTop::fromCollisionMesh(mesh.collisionVertices, mesh.collisionTriangles);
        if (models.tops[size_t(k)].empty()) {
            error = file + ": the mesh has no flat top at y = 0";
            return false;
        }
    }
    for (int k = 0; k < 4; ++k) {
        const std::string file = modelFolder + obstacles[k];
        if (!readModelFileMesh(file, WhichMesh::Last, mesh, why)) {
            error = file + ": " + why;
            return false;
        }
        models.obstacles[size_t(k)] = ObstacleShape::fromCollisionMesh(mesh.collisionVertices);
        if (models.obstacles[size_t(k)].empty()) {
            error = file + ": the collision mesh has no vertex";
            return false;
        }
    }
    return true;
}

} // namespace vantor::scene
