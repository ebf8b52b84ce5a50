#pragma once
#include "model/BoundingBox.h"
#include "model/MeshEntry.h"
#include "model/ModelFile.h"
#include "platform/Prefetch.h"

#include <glm/mat4x4.hpp>
#include <string>
#include <utility>
#include <vector>

namespace vantor::util { class Texture; }
namespace vantor::shadercode { class Shader; class CustomShader; }

namespace vantor::scene {

// What an import produced. The model classes move the parts into their own members.
struct ImportedModel {
    std::vector<MeshEntry> meshes;                 // drawable meshes; index = level of detail
    std::vector<util::Texture*> textures;          // owned until moved; slot 0 diffuse, slot 1 normal map
    std::vector<glm::mat4> collisionVertices;      // one translation matrix per vertex
    std::vector<glm::vec3> collisionTriangles;     // three vertex indices a face, as floats
    BoundingBox box;                               // over every drawable mesh, from the origin
};

// The programs whose attribute locations the vertex arrays take; `shadow` and `glow` may be
// null (then that vertex array is not made).
struct ImportPrograms {
    shadercode::Shader* own;         // the model's own program; must be linked
    shadercode::CustomShader* shadow; // shadow-map program, or null
    shadercode::CustomShader* glow;   // glow program, or null
};

// Reads a COLLADA file with the rules of `kind` (or takes it from prefetchedModels when the
// loading worker read it ahead), uploads its drawable meshes, creates its material textures
// and keeps its collision description, writing the kind's log lines. Returns false, with
// only the error line written and `model` left empty, when the file cannot be read. A
// texture image that cannot be decoded ends the process inside Texture::load, after the
// lines of everything taken in before it.
bool importModel(const std::string& fileName, ModelKind kind, const ImportPrograms& programs, ImportedModel& model);

// The key a model file is prefetched under: the file and the rules it is read with.
std::string prefetchKey(const std::string& fileName, ModelKind kind);

// Model files read ahead of the start-up by the loading worker, in the order the Game
// imports them; importModel takes them from here. Main thread only.
extern Prefetch<ModelFile> prefetchedModels;

// Moves what every collidable model keeps of an import into `target` (a SimpleModelTexNon
// or a WallPiece): the textures, the collision description and the bounding sphere. The
// meshes stay in `imported`, since each model keeps them its own way.
template <typename Model>
void takeImportedParts(ImportedModel& imported, Model& target)
{
    target.textures = std::move(imported.textures);
    target.collisionVertices = std::move(imported.collisionVertices);
    target.collisionTriangles = std::move(imported.collisionTriangles);
    target.boundingSphereCenter = imported.box.sphereCenter();
    target.boundingSphereRadius = imported.box.sphereRadius();
}

} // namespace vantor::scene
