#pragma once
#include "model/BoundingBox.h"
#include "model/MeshEntry.h"
#include "platform/ImageLibrary.h"
#include "platform/Prefetch.h"

#include <cstdint>
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

// The vertex data of one drawable mesh as read from the file, before it goes to the GPU.
struct MeshArrays {
    std::vector<float> positions;  // 3 a vertex
    std::vector<float> normals;    // 3 a vertex; empty for the sky
    std::vector<float> uvs;        // 2 a vertex; (0, 0) where the file has none
    std::vector<float> tangents;   // 3 a vertex; empty for the sky
    std::vector<uint32_t> indices; // 3 a triangle; faces of fewer corners left out
    uint32_t numVertices = 0;      // vertices in the file's mesh
    uint32_t numFaces = 0;         // faces in the file's mesh, as the log counts them
};

// One step of filling a model's texture slots, in the order the import takes them.
struct TextureStep {
    enum class Action {
        Clear,            // empties `slot`
        Load,             // puts a texture of `image` into `slot`
        NeutralNormalMap, // puts the flat normal map into `slot`
    };
    Action action = Action::Clear;
    size_t slot = 0;      // 0 diffuse, 1 normal map
    DecodedImage image;   // Load: the image with its mip chain, decoded when the file was read
    std::string line;     // printed after the step; may be empty
    bool flush = false;   // the line ends the console's line buffer (as std::endl does)
};

// Everything of a model file that needs no OpenGL: the meshes' vertex data, the textures
// decoded in the order the import uses them, the collision description and the bounding
// box. The imported scene itself is gone once this is filled.
struct ModelFile {
    std::string fileName;                      // as asked for
    ModelKind kind = ModelKind::Textured;      // the rules it was read with
    bool readable = false;                     // false: `error` says why, nothing else is filled
    std::string error;                         // the importer's error text
    unsigned int meshCount = 0;                // meshes in the file, drawn or not
    std::vector<MeshArrays> drawnMeshes;       // index = level of detail
    size_t materialCount = 0;                  // materials in the file: the texture slots to start with
    std::vector<TextureStep> textureSteps;     // in order
    std::vector<glm::mat4> collisionVertices;  // one translation matrix per vertex
    std::vector<glm::vec3> collisionTriangles; // three vertex indices a face, as floats
    BoundingBox box;                           // over every drawn mesh, from the origin
};

// Reads a COLLADA file with the rules of `kind` and decodes the textures its materials
// name (falling back to "../Models/white.png"). Prints nothing and touches no OpenGL, so
// any thread may read; the image library is serialised inside decodeImage.
ModelFile readModelFile(const std::string& fileName, ModelKind kind);

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

// The folder the textures named by a model's materials are read from: the file name up to
// its last "/", "." when it has none, "/" when the only one is its first character.
std::string modelDirectory(const std::string& fileName);

// A 1 x 1 texture of the flat normal (0, 0, 1), for a model whose material names no
// normal map, so that the lit program always samples a sound normal. Owned by the caller.
util::Texture* createNeutralNormalMap();

} // namespace vantor::scene
