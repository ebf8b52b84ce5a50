#include "tooling/ModelFileMesh.h"

#include <assimp/cimport.h>
#include <assimp/scene.h>

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
    for (unsigned int v = 0; v < read->mNumVertices; ++v)
        mesh.positions.emplace_back(read->mVertices[v].x, read->mVertices[v].y, read->mVertices[v].z);
    for (unsigned int f = 0; f < read->mNumFaces; ++f) {
        const aiFace& face = read->mFaces[f];
        if (face.mNumIndices == 3)
            mesh.triangles.emplace_back(face.mIndices[0], face.mIndices[1], face.mIndices[2]);
    }
    aiReleaseImport(scene);
    return true;
}

} // namespace vantor::scene
