#include "tooling/ModelFileMesh.h"

#include <assimp/cimport.h>
#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>

namespace vantor::scene {

bool readModelFileMesh(const std::string& fileName, WhichMesh which, ModelFileMesh& mesh, std::string& error)
{
    mesh = ModelFileMesh();
    const aiScene* scene = aiImportFile(fileName.c_str(), gameModelImportFlags);
    if (scene == nullptr || scene->mNumMeshes == 0) {
        error = scene == nullptr ? aiGetErrorString() : "the file holds no mesh";
        if (scene != nullptr)
            aiReleaseImport(scene);
        return false;
    }
    const aiMesh* read = scene->mMeshes[which == WhichMesh::First ? 0 : scene->mNumMeshes - 1];
    for (unsigned int v = 0; v < read->mNumVertices; ++v) {
        const glm::vec3 position(read->mVertices[v].x, read->mVertices[v].y, read->mVertices[v].z);
        mesh.collisionVertices.push_back(glm::translate(glm::mat4(1.0f), position));
    }
    for (unsigned int f = 0; f < read->mNumFaces; ++f) {
        const aiFace& face = read->mFaces[f];
        if (face.mNumIndices >= 3)
            mesh.collisionTriangles.emplace_back(float(face.mIndices[0]), float(face.mIndices[1]),
                                                 float(face.mIndices[2]));
    }
    aiReleaseImport(scene);
    return true;
}

} // namespace vantor::scene
