#include "tooling/CourseModelFiles.h"

#include "model/ModelFile.h"

namespace vantor::scene {

namespace {

// The collision description of `file` as the game reads it with the rules of `kind`,
// decoding no texture. False, with `error` naming the file and why, when it cannot be read
// or holds no mesh.
bool readCollisionDescription(const std::string& file, ModelKind kind, ModelFile& read, std::string& error)
{
    read = readModelFile(file, kind, ModelParts::CollisionOnly);
    if (!read.readable || read.meshCount == 0) {
        error = file + ": " + (!read.readable ? read.error : "the file holds no mesh");
        return false;
    }
    return true;
}

} // namespace

bool loadCourseModels(const std::string& modelFolder, CourseModels& models, std::string& error)
{
    const char* walls[3] = {"endwall.dae", "straightwall.dae", "curvewall.dae"};              // by WallKind
    const char* obstacles[4] = {"Rolle.dae", "Gitter.dae", "Holzbarrikade.dae", "Sandhaufen.dae"}; // by code - 1
    ModelFile read;
    for (int k = 0; k < 3; ++k) {
        const std::string file = modelFolder + walls[k];
        if (!readCollisionDescription(file, ModelKind::Wall, read, error))
            return false;
        models.tops[size_t(k)] = WalkableTop::fromCollisionMesh(read.collisionVertices, read.collisionTriangles);
        if (models.tops[size_t(k)].empty()) {
            error = file + ": the mesh has no flat top at y = 0";
            return false;
        }
    }
    for (int k = 0; k < 4; ++k) {
        const std::string file = modelFolder + obstacles[k];
        if (!readCollisionDescription(file, ModelKind::Textured, read, error))
            return false;
        models.obstacles[size_t(k)] = ObstacleShape::fromCollisionMesh(read.collisionVertices);
        if (models.obstacles[size_t(k)].empty()) {
            error = file + ": the collision mesh has no vertex";
            return false;
        }
    }
    return true;
}

} // namespace vantor::scene
