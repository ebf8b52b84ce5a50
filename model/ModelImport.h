#pragma once
#include "model/BoundingBox.h"
#include "model/MeshEntry.h"

#include <glm/mat4x4.hpp>
#include <string>
#include <utility>
#include <vector>

namespace vantor::util { class Texture; }
namespace vantor::shadercode { class Shader; class CustomShader; }

namespace vantor::scene {

// The three kinds of model file the game reads. They share one import; what differs
// between them (post-processing, which meshes, which attributes, log lines, texture
// fallbacks) is one row of the rules table in ModelImport.cpp.
enum class ModelKind {
    Textured, // levels of detail plus a last bounding-box mesh for collisions: hero, obstacles, fruit
    Wall,     // one mesh, drawn and collided with as it is
    Sky,      // one unlit mesh with one texture
};

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

// Reads a COLLADA file with the rules of `kind`, uploads its drawable meshes, loads its
// material textures (falling back to "../Models/white.png") and keeps its collision
// description, writing the kind's log lines. Returns false, with only the error line
// written and `model` left empty, when the file cannot be read. A texture image that cannot
// be decoded ends the process inside Texture::load.
bool importModel(const std::string& fileName, ModelKind kind, const ImportPrograms& programs, ImportedModel& model);

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

// The folder the textures named by a model's materials are read from: the file name up to
// its last "/", "." when it has none, "/" when the only one is its first character.
std::string modelDirectory(const std::string& fileName);

// A 1 x 1 texture of the flat normal (0, 0, 1), for a model whose material names no
// normal map, so that the lit program always samples a sound normal. Owned by the caller.
util::Texture* createNeutralNormalMap();

} // namespace vantor::scene
