#include "tooling/ObstacleShape.h"

#include "tooling/WalkableTop.h"

#include <assimp/cimport.h>
#include <assimp/scene.h>

namespace vantor::scene {

bool ObstacleShape::load(const std::string& fileName, ObstacleShape& shape, std::string& error)
{
    shape.vertices.clear();
    const aiScene* scene = aiImportFile(fileName.c_str(), gameModelImportFlags);
    if (scene == nullptr || scene->mNumMeshes == 0) {
        error = scene == nullptr ? aiGetErrorString() : "the file holds no mesh";
        if (scene != nullptr)
            aiReleaseImport(scene);
        return false;
    }
    // The game draws every mesh but the last and collides with the last one.
    const aiMesh* mesh = scene->mMeshes[scene->mNumMeshes - 1];
    for (unsigned int v = 0; v < mesh->mNumVertices; ++v)
        shape.vertices.emplace_back(mesh->mVertices[v].x, mesh->mVertices[v].y, mesh->mVertices[v].z);
    aiReleaseImport(scene);
    if (shape.empty()) {
        error = "the collision mesh has no vertex";
        return false;
    }
    return true;
}

} // namespace vantor::scene
