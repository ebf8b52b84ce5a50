#include "model/ModelFile.h"

#include "render/TextureImage.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>

namespace vantor::scene {

namespace {

const char* const whiteTextureFile = "../Models/white.png";

enum class NormalMapRule {
    NotRead,      // the sky has no normal map
    WhiteOrRead,  // read from the emissive channel, else white with a line
    NeutralOrRead // read from the emissive channel, else the flat normal map
};

// One row per model kind: every way in which reading the three kinds differs (besides
// isLit and hasLevelsOfDetail).
struct ReadingRules {
    unsigned int flags;              // assimp post-processing
    bool drawnMeshCollides;          // the drawn mesh is also the collision description
    bool clearDiffuseEachMaterial;   // each material starts from an empty diffuse slot
    const char* diffuseLine;         // printed around the texture file name
    NormalMapRule normalMap;
    const char* diffuseFallbackLine; // null: the white texture replaces a missing diffuse one silently
};

const unsigned int litFlags = aiProcess_CalcTangentSpace | aiProcess_JoinIdenticalVertices | aiProcess_Triangulate |
                              aiProcess_GenSmoothNormals | aiProcess_FixInfacingNormals | aiProcess_FlipUVs;
const unsigned int skyFlags =
    aiProcess_JoinIdenticalVertices | aiProcess_Triangulate | aiProcess_GenSmoothNormals | aiProcess_FlipUVs;

const ReadingRules rulesTable[] = {
    // Textured
    {litFlags, false, false, "\nLoaded diffuse texture '", NormalMapRule::WhiteOrRead,
     "Could not load proper diffuse texutre, using white instead"},
    // Wall
    {litFlags, true, false, "Loaded diffuse texture '", NormalMapRule::NeutralOrRead, nullptr},
    // Sky
    {skyFlags, false, true, "Loaded diffuse texture '", NormalMapRule::NotRead,
     "Could not load proper texutre, using white instead"},
};

const ReadingRules& rulesFor(ModelKind kind)
{
    return rulesTable[static_cast<int>(kind)];
}

// Faces with fewer than three indices (points and lines survive triangulation) are
// neither drawn nor collided with.
bool isTriangle(const aiFace& face)
{
    return face.mNumIndices >= 3;
}

void keepCollisionMesh(const aiMesh* mesh, ModelFile& file)
{
    file.collisionVertices.clear();
    file.collisionTriangles.clear();
    for (unsigned int j = 0; j < mesh->mNumVertices; ++j) {
        const aiVector3D& p = mesh->mVertices[j];
        file.collisionVertices.push_back(glm::translate(glm::mat4(1.0f), glm::vec3(p.x, p.y, p.z)));
    }
    for (unsigned int f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        if (isTriangle(face))
            file.collisionTriangles.emplace_back(float(face.mIndices[0]), float(face.mIndices[1]),
                                                 float(face.mIndices[2]));
    }
}

MeshArrays readMesh(const aiMesh* mesh, bool lit, BoundingBox& box)
{
    MeshArrays arrays;
    const bool hasUvs = mesh->HasTextureCoords(0) && mesh->mNumVertices > 0;
    for (unsigned int j = 0; j < mesh->mNumVertices; ++j) {
        const aiVector3D& p = mesh->mVertices[j];
        box.widen(glm::vec3(p.x, p.y, p.z));
        arrays.positions.insert(arrays.positions.end(), {p.x, p.y, p.z});
        arrays.uvs.insert(arrays.uvs.end(), {hasUvs ? mesh->mTextureCoords[0][j].x : 0.0f,
                                             hasUvs ? mesh->mTextureCoords[0][j].y : 0.0f});
        if (lit) {
            // Assimp makes tangents only for meshes with texture coordinates; a fixed
            // tangent keeps the lit program's basis finite for the others.
            const aiVector3D n = mesh->mNormals ? mesh->mNormals[j] : aiVector3D(0, 1, 0);
            const aiVector3D t = mesh->mTangents ? mesh->mTangents[j] : aiVector3D(1, 0, 0);
            arrays.normals.insert(arrays.normals.end(), {n.x, n.y, n.z});
            arrays.tangents.insert(arrays.tangents.end(), {t.x, t.y, t.z});
        }
    }
    for (unsigned int f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        if (isTriangle(face))
            arrays.indices.insert(arrays.indices.end(), {face.mIndices[0], face.mIndices[1], face.mIndices[2]});
    }
    arrays.numVertices = mesh->mNumVertices;
    arrays.numFaces = mesh->mNumFaces;
    return arrays;
}

// The file of the first texture of `type`, or "" when the material has none.
std::string materialTexture(const aiMaterial* material, aiTextureType type, const std::string& directory)
{
    aiString path;
    if (aiGetMaterialTextureCount(material, type) == 0 ||
        aiGetMaterialTexture(material, type, 0, &path, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) !=
            aiReturn_SUCCESS)
        return std::string();
    return directory + "/" + path.C_Str();
}

TextureStep loadStep(size_t slot, const std::string& file, std::string line, bool flush)
{
    TextureStep step;
    step.action = TextureStep::Action::Load;
    step.slot = slot;
    step.image = decodeTextureImage(file);
    step.line = std::move(line);
    step.flush = flush;
    return step;
}

// Which texture goes into which slot, material by material, with the line each one
// writes; decodes every image it names.
std::vector<TextureStep> planTextures(const aiScene* scene, const std::string& fileName, const ReadingRules& rules)
{
    std::vector<TextureStep> steps;
    const std::string directory = modelDirectory(fileName);
    bool filled[2] = {false, false}; // diffuse and normal-map slots
    // Material 0 is the exporter's default material; the model's own starts at 1.
    for (unsigned int m = 1; m < scene->mNumMaterials; ++m) {
        const aiMaterial* material = scene->mMaterials[m];
        if (rules.clearDiffuseEachMaterial) {
            steps.push_back(TextureStep());
            filled[0] = false;
        }

        const std::string diffuse = materialTexture(material, aiTextureType_DIFFUSE, directory);
        if (!diffuse.empty()) {
            steps.push_back(loadStep(0, diffuse, rules.diffuseLine + diffuse + "'\n", false));
            filled[0] = true;
        }
        if (rules.normalMap != NormalMapRule::NotRead) {
            const std::string normal = materialTexture(material, aiTextureType_EMISSIVE, directory);
            if (!normal.empty()) {
                steps.push_back(loadStep(1, normal, "Loaded normalmap (via emissive-texchannel) '" + normal + "'\n", false));
                filled[1] = true;
            }
        }

        if (!filled[0]) {
            const char* line = rules.diffuseFallbackLine;
            steps.push_back(loadStep(0, whiteTextureFile, line != nullptr ? std::string(line) + "\n" : "", true));
            filled[0] = true;
        }
        if (rules.normalMap == NormalMapRule::WhiteOrRead && !filled[1]) {
            steps.push_back(loadStep(1, whiteTextureFile, "Could not load proper normal texutre, using white instead\n", true));
            filled[1] = true;
        }
    }
    // White would tilt every normal; a wall without a normal map gets the flat one.
    if (rules.normalMap == NormalMapRule::NeutralOrRead && !filled[1]) {
        TextureStep step;
        step.action = TextureStep::Action::NeutralNormalMap;
        step.slot = 1;
        steps.push_back(std::move(step));
    }
    return steps;
}

} // namespace

unsigned int modelImportFlags(ModelKind kind)
{
    return rulesFor(kind).flags;
}

ModelFile readModelFile(const std::string& fileName, ModelKind kind, ModelParts parts)
{
    const ReadingRules& rules = rulesFor(kind);
    ModelFile file;
    file.fileName = fileName;
    file.kind = kind;
    // The importer and its scene live only while the parts are copied out.
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(fileName.c_str(), modelImportFlags(kind));
    if (scene == nullptr) {
        file.error = importer.GetErrorString();
        return file;
    }
    file.readable = true;
    file.meshCount = scene->mNumMeshes;
    // A levels-of-detail file keeps its last mesh for collisions; the others draw mesh 0.
    const bool levelsOfDetail = hasLevelsOfDetail(kind);
    unsigned int drawnCount = file.meshCount > 0 ? 1 : 0;
    if (levelsOfDetail)
        drawnCount = file.meshCount > 0 ? file.meshCount - 1 : 0;
    const bool drawn = parts == ModelParts::Everything;
    for (unsigned int i = 0; i < drawnCount; ++i) {
        if (drawn)
            file.drawnMeshes.push_back(readMesh(scene->mMeshes[i], isLit(kind), file.box));
        if (rules.drawnMeshCollides)
            keepCollisionMesh(scene->mMeshes[i], file);
    }
    if (levelsOfDetail && file.meshCount > 0)
        keepCollisionMesh(scene->mMeshes[file.meshCount - 1], file);

    if (drawn) {
        file.materialCount = scene->mNumMaterials;
        file.textureSteps = planTextures(scene, fileName, rules);
    }
    return file;
}

std::string modelDirectory(const std::string& fileName)
{
    const size_t slash = fileName.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return fileName.substr(0, slash);
}

} // namespace vantor::scene
