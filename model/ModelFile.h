#pragma once
#include "model/BoundingBox.h"
#include "model/ModelKind.h"
#include "platform/ImageLibrary.h"

#include <cstdint>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <vector>

namespace vantor::scene {

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

// How much of a model file readModelFile reads.
enum class ModelParts {
    Everything,    // what the game draws and collides with, its textures decoded
    CollisionOnly, // the collision description and the mesh count alone: no drawn meshes, box or textures
};

// Reads a COLLADA file with the rules of `kind` and decodes the textures its materials
// name (falling back to "../Models/white.png"). Prints nothing and touches no OpenGL, so
// any thread may read, and a tool may read without a context; the image library is
// serialised inside decodeImage.
ModelFile readModelFile(const std::string& fileName, ModelKind kind, ModelParts parts = ModelParts::Everything);

// The importer's post-processing steps (assimp's flags) readModelFile reads a file of `kind`
// with, for a reader that needs the imported scene itself (the data tests).
unsigned int modelImportFlags(ModelKind kind);

// The folder the textures named by a model's materials are read from: the file name up to
// its last "/", "." when it has none, "/" when the only one is its first character.
std::string modelDirectory(const std::string& fileName);

} // namespace vantor::scene
