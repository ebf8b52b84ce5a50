#include "model/ModelImport.h"

#include "model/ModelFile.h"
#include "render/CustomShader.h"
#include "render/Texture.h"

#include <cassert>
#include <iostream>

namespace vantor::scene {

namespace {

// One row per model kind: every way in which creating the three kinds' GL objects and
// writing their lines differ (besides isLit and hasLevelsOfDetail).
struct ImportRules {
    const char* readPrefix;  // before the file name of the read line
    const char* errorPrefix; // before the file name of the error line
    bool clampToEdge;        // the sky's edges must not wrap
};

const ImportRules rulesTable[] = {
    {"\nReading file (", "\nAssimp-Error: parsing file (", false}, // Textured
    {"Reading file (", "Assimp-Error: parsing file (", false},     // Wall
    {"Reading file (", "Assimp-Error: parsing file (", true},      // Sky
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

template <typename Value>
GLuint uploadArray(GLenum target, const std::vector<Value>& values)
{
    return uploadBuffer(target, values.data(), values.size() * sizeof(Value));
}

void uploadMesh(const MeshArrays& arrays, bool lit, const ImportPrograms& programs, MeshEntry& entry)
{
    entry.numVertices = arrays.numVertices;
    entry.numIndices = static_cast<uint32_t>(arrays.indices.size());

    entry.positionBuffer = uploadArray(GL_ARRAY_BUFFER, arrays.positions);
    if (lit)
        entry.normalBuffer = uploadArray(GL_ARRAY_BUFFER, arrays.normals);
    entry.uvBuffer = uploadArray(GL_ARRAY_BUFFER, arrays.uvs);
    if (lit)
        entry.tangentBuffer = uploadArray(GL_ARRAY_BUFFER, arrays.tangents);
    entry.indexBuffer = uploadArray(GL_ELEMENT_ARRAY_BUFFER, arrays.indices);

    assert(programs.own != nullptr && "a model is imported with its own program linked");
    if (lit)
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

// A 1 x 1 texture of the flat normal (0, 0, 1), for a wall whose material names no normal
// map, so that the lit program always samples a sound normal.
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

bool importModel(ModelFile& file, const ImportPrograms& programs, ImportedModel& model)
{
    const ModelKind kind = file.kind;
    const ImportRules& rules = rulesFor(kind);
    if (!file.readable) {
        std::cout << rules.errorPrefix << file.fileName << ") failed: " << file.error << std::endl;
        return false;
    }
    std::cout << rules.readPrefix << file.fileName << ") ..." << std::endl;

    const size_t drawnCount = file.drawnMeshes.size();
    const bool levelsOfDetail = hasLevelsOfDetail(kind);
    if (levelsOfDetail) {
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
        if (levelsOfDetail)
            std::cout << "\nLoading meshnumber " << i << " (Polygons: " << arrays.numFaces
                      << ", Vertices: " << arrays.numVertices << ")";
        uploadMesh(arrays, isLit(kind), programs, model.meshes[i]);
        arrays = MeshArrays(); // the buffers hold it now
    }

    createTextures(file.textureSteps, rules, model.textures);

    if (levelsOfDetail)
        std::cout << "Loading boundingbox" << std::endl;
    model.collisionVertices = std::move(file.collisionVertices);
    model.collisionTriangles = std::move(file.collisionTriangles);
    model.box = file.box;
    return true;
}

} // namespace vantor::scene
