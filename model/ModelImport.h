#pragma once
#include "model/BoundingBox.h"
#include "model/MeshEntry.h"

#include <glm/mat4x4.hpp>
#include <utility>
#include <vector>

namespace vantor::util { class Texture; }
namespace vantor::shadercode { class Shader; class CustomShader; }

namespace vantor::scene {

struct ModelFile;

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

// Uploads the drawable meshes of `file` (a model file read with the rules of its kind),
// creates its material textures and moves its collision description into `model`, writing
// the kind's log lines; the vertex data and images of `file` are released as they go to
// the GPU. Returns false, with only the error line written and `model` left empty, when
// the file could not be read. A texture image that could not be decoded ends the process
// inside Texture::load, after the lines of everything taken in before it.
bool importModel(ModelFile& file, const ImportPrograms& programs, ImportedModel& model);

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
