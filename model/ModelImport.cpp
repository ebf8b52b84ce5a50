#include "model/ModelImport.h"

#include "render/CustomShader.h"
#include "render/Texture.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>
#include <cassert>
#include <iostream>

namespace vantor::scene {

namespace {

const char* const whiteTextureFile = "../Models/white.png";

enum class NormalMapRule {
    NotRead,      // the sky has no normal map
    WhiteOrRead,  // read from the emissive channel, else white with a line
    NeutralOrRead // read from the emissive channel, else the flat normal map
};

// One row per model kind: every way in which the three imports differ.
struct ImportRules {
    unsigned int flags;           // assimp post-processing
    const char* readPrefix;       // before the file name of the read line
    const char* errorPrefix;      // before the file name of the error line
    bool levelsOfDetail;          // meshes 0..N-2 drawn, mesh N-1 the collision description, mesh lines printed
    bool litAttributes;           // normal and tangent buffers; else position and uv only
    bool drawnMeshCollides;       // the drawn mesh is also the collision description
    bool clearDiffuseEachMaterial; // each material starts from an empty diffuse slot
    const char* diffuseLine;      // printed around the texture file name
    NormalMapRule normalMap;
    const char* diffuseFallbackLine; // null: the white texture replaces a missing diffuse one silently
    bool clampToEdge;             // the sky's edges must not wrap
};

const unsigned int litFlags = aiProcess_CalcTangentSpace | aiProcess_JoinIdenticalVertices | aiProcess_Triangulate |
                              aiProcess_GenSmoothNormals | aiProcess_FixInfacingNormals | aiProcess_FlipUVs;
const unsigned int skyFlags =
    aiProcess_JoinIdenticalVertices | aiProcess_Triangulate | aiProcess_GenSmoothNormals | aiProcess_FlipUVs;

const ImportRules rulesTable[] = {
    // Textured
    {litFlags, "\nReading file (", "\nAssimp-Error: parsing file (", true, true, false, false,
     "\nLoaded diffuse texture '", NormalMapRule::WhiteOrRead,
     "Could not load proper diffuse texutre, using white instead", false},
    // Wall
    {litFlags, "Reading file (", "Assimp-Error: parsing file (", false, true, true, false,
     "Loaded diffuse texture '", NormalMapRule::NeutralOrRead, nullptr, false},
    // Sky
    {skyFlags, "Reading file (", "Assimp-Error: parsing file (", false, false, false, true,
     "Loaded diffuse texture '", NormalMapRule::NotRead, "Could not load proper texutre, using white instead", true},
};

const ImportRules& rulesFor(ModelKind kind)
{
    return rulesTable[static_cast<int>(kind)];
}

struct Attribute {
    const char* name;
    GLuint buffer;
    GLint components;
};

GLuint uploadBuffer(GLenum target, const void* data, size_t bytes)
{
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
    glBindBuffer(target, 0);
    return buffer;
}

// A vertex array over the given buffers, located by name in `program`. An attribute the
// program does not use (location -1) is left out rather than enabled at a bogus index.
GLuint makeVertexArray(GLuint program, std::initializer_list<Attribute> attributes, GLuint indexBuffer)
{
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    for (const Attribute& attribute : attributes) {
        const GLint location = glGetAttribLocation(program, attribute.name);
        if (location < 0)
            continue;
        glBindBuffer(GL_ARRAY_BUFFER, attribute.buffer);
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), attribute.components, GL_FLOAT, GL_FALSE,
                              attribute.components * static_cast<GLsizei>(sizeof(float)), nullptr);
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    return vertexArray;
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

MeshArrays readMesh(const aiMesh* mesh, const ImportRules& rules, BoundingBox& box)
{
    MeshArrays arrays;
    const bool hasUvs = mesh->HasTextureCoords(0) && mesh->mNumVertices > 0;
    for (unsigned int j = 0; j < mesh->mNumVertices; ++j) {
        const aiVector3D& p = mesh->mVertices[j];
        box.widen(glm::vec3(p.x, p.y, p.z));
        arrays.positions.insert(arrays.positions.end(), {p.x, p.y, p.z});
        arrays.uvs.insert(arrays.uvs.end(), {hasUvs ? mesh->mTextureCoords[0][j].x : 0.0f,
                                             hasUvs ? mesh->mTextureCoords[0][j].y : 0.0f});
        if (rules.litAttributes) {
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

template <typename Value>
GLuint uploadArray(GLenum target, const std::vector<Value>& values)
{
    return uploadBuffer(target, values.data(), values.size() * sizeof(Value));
}

void uploadMesh(const MeshArrays& arrays, const ImportRules& rules, const ImportPrograms& programs, MeshEntry& entry)
{
    entry.numVertices = arrays.numVertices;
    entry.numIndices = static_cast<uint32_t>(arrays.indices.size());

    entry.positionBuffer = uploadArray(GL_ARRAY_BUFFER, arrays.positions);
    if (rules.litAttributes)
        entry.normalBuffer = uploadArray(GL_ARRAY_BUFFER, arrays.normals);
    entry.uvBuffer = uploadArray(GL_ARRAY_BUFFER, arrays.uvs);
    if (rules.litAttributes)
        entry.tangentBuffer = uploadArray(GL_ARRAY_BUFFER, arrays.tangents);
    entry.indexBuffer = uploadArray(GL_ELEMENT_ARRAY_BUFFER, arrays.indices);

    assert(programs.own != nullptr && "a model is imported with its own program linked");
    if (rules.litAttributes)
        entry.vertexArray = makeVertexArray(programs.own->program,
                                            {{"position", entry.positionBuffer, 3},
                                             {"normal", entry.normalBuffer, 3},
                                             {"uv", entry.uvBuffer, 2},
                                             {"tangent", entry.tangentBuffer, 3}},
                                            entry.indexBuffer);
    else
        entry.vertexArray = makeVertexArray(
            programs.own->program, {{"position", entry.positionBuffer, 3}, {"uv", entry.uvBuffer, 2}}, entry.indexBuffer);
    if (programs.shadow != nullptr)
        entry.shadowVertexArray =
            makeVertexArray(programs.shadow->program, {{"position", entry.positionBuffer, 3}}, entry.indexBuffer);
    if (programs.glow != nullptr)
        entry.glowVertexArray = makeVertexArray(
            programs.glow->program, {{"position", entry.positionBuffer, 3}, {"uv", entry.uvBuffer, 2}}, entry.indexBuffer);
}

// Puts `texture` into `slot`, releasing what a previous material left there.
void replaceSlot(std::vector<util::Texture*>& textures, size_t slot, util::Texture* texture)
{
    if (textures.size() <= slot)
        textures.resize(slot + 1, nullptr);
    delete textures[slot];
    textures[slot] = texture;
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
std::vector<TextureStep> planTextures(const aiScene* scene, const std::string& fileName, const ImportRules& rules)
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

void createTextures(std::vector<TextureStep>& steps, const ImportRules& rules, std::vector<util::Texture*>& textures)
{
    for (TextureStep& step : steps) {
        switch (step.action) {
        case TextureStep::Action::Clear: replaceSlot(textures, step.slot, nullptr); break;
        case TextureStep::Action::Load: {
            auto* texture = new util::Texture(GL_TEXTURE_2D, step.image.path.c_str());
            texture->load(step.image);
            replaceSlot(textures, step.slot, texture);
            break;
        }
        case TextureStep::Action::NeutralNormalMap: replaceSlot(textures, step.slot, createNeutralNormalMap()); break;
        }
        std::cout << step.line;
        if (step.flush)
            std::cout.flush();
    }

    if (rules.clampToEdge && !textures.empty() && textures[0] != nullptr) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, textures[0]->textureObject);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
}

} // namespace

Prefetch<ModelFile> prefetchedModels;

std::string prefetchKey(const std::string& fileName, ModelKind kind)
{
    return std::to_string(static_cast<int>(kind)) + ":" + fileName;
}

ModelFile readModelFile(const std::string& fileName, ModelKind kind)
{
    const ImportRules& rules = rulesFor(kind);
    ModelFile file;
    file.fileName = fileName;
    file.kind = kind;
    // The importer and its scene live only while the parts are copied out.
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(fileName.c_str(), rules.flags);
    if (scene == nullptr) {
        file.error = importer.GetErrorString();
        return file;
    }
    file.readable = true;
    file.meshCount = scene->mNumMeshes;
    // A levels-of-detail file keeps its last mesh for collisions; the others draw mesh 0.
    unsigned int drawnCount = file.meshCount > 0 ? 1 : 0;
    if (rules.levelsOfDetail)
        drawnCount = file.meshCount > 0 ? file.meshCount - 1 : 0;
    for (unsigned int i = 0; i < drawnCount; ++i) {
        file.drawnMeshes.push_back(readMesh(scene->mMeshes[i], rules, file.box));
        if (rules.drawnMeshCollides)
            keepCollisionMesh(scene->mMeshes[i], file);
    }
    if (rules.levelsOfDetail && file.meshCount > 0)
        keepCollisionMesh(scene->mMeshes[file.meshCount - 1], file);

    file.materialCount = scene->mNumMaterials;
    file.textureSteps = planTextures(scene, fileName, rules);
    return file;
}

bool importModel(const std::string& fileName, ModelKind kind, const ImportPrograms& programs, ImportedModel& model)
{
    ModelFile file;
    if (!prefetchedModels.take(prefetchKey(fileName, kind), file))
        file = readModelFile(fileName, kind);

    const ImportRules& rules = rulesFor(kind);
    if (!file.readable) {
        std::cout << rules.errorPrefix << fileName << ") failed: " << file.error << std::endl;
        return false;
    }
    std::cout << rules.readPrefix << fileName << ") ..." << std::endl;

    const size_t drawnCount = file.drawnMeshes.size();
    if (rules.levelsOfDetail) {
        std::cout << "Number of meshes: " << file.meshCount;
        if (file.meshCount == 4)
            std::cout << " (mulitiresolution)";
        if (drawnCount == 0)
            std::cout << "\nNo drawable mesh in this file: the model draws nothing";
    }

    // Sized once: the records are filled in place and never copied afterwards.
    model.meshes = std::vector<MeshEntry>(drawnCount);
    model.textures.assign(file.materialCount, nullptr);
    for (size_t i = 0; i < drawnCount; ++i) {
        MeshArrays& arrays = file.drawnMeshes[i];
        if (rules.levelsOfDetail)
            std::cout << "\nLoading meshnumber " << i << " (Polygons: " << arrays.numFaces
                      << ", Vertices: " << arrays.numVertices << ")";
        uploadMesh(arrays, rules, programs, model.meshes[i]);
        arrays = MeshArrays(); // the buffers hold it now
    }

    createTextures(file.textureSteps, rules, model.textures);

    if (rules.levelsOfDetail)
        std::cout << "Loading boundingbox" << std::endl;
    model.collisionVertices = std::move(file.collisionVertices);
    model.collisionTriangles = std::move(file.collisionTriangles);
    model.box = file.box;
    return true;
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

util::Texture* createNeutralNormalMap()
{
    auto* texture = new util::Texture(GL_TEXTURE_2D, "neutral normal map");
    const unsigned char flatNormal[3] = {128, 128, 255};
    glGenTextures(1, &texture->textureObject);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture->textureObject);
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, flatNormal);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return texture;
}

} // namespace vantor::scene
