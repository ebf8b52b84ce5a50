#pragma once
// Helpers of the data tests (tests/data/): loading the shipped models the way the game
// does, decoding their textures as the game does, and casting rays at wall meshes.
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include "model/ModelFile.h"
#include "platform/ImageLibrary.h"

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace datatest {

// The shipped data folder (the game reads it as "../Models/" from tests/ or build/).
inline std::string modelsFolder()
{
    return std::string(LANTERN_SOURCE_DIR) + "/Models/";
}

// A model file imported with the post-processing the game reads a file of its kind with;
// the importer owns the scene. The tests look at the scene itself (meshes by name,
// bitangents, materials and the texture files they name), which the game's reading
// (readModelFile) does not keep.
struct LoadedModel {
    std::unique_ptr<Assimp::Importer> importer = std::make_unique<Assimp::Importer>();
    const aiScene* scene = nullptr;
    std::string error;
};

inline LoadedModel loadModel(const std::string& path, vantor::scene::ModelKind kind)
{
    LoadedModel model;
    model.scene = model.importer->ReadFile(path.c_str(), vantor::scene::modelImportFlags(kind));
    if (!model.scene)
        model.error = model.importer->GetErrorString();
    return model;
}

// The first texture path of a kind in a material, or "" if none.
inline std::string materialTexture(const aiMaterial* material, aiTextureType type)
{
    if (aiGetMaterialTextureCount(material, type) == 0)
        return "";
    aiString path;
    if (aiGetMaterialTexture(material, type, 0, &path, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) !=
        aiReturn_SUCCESS)
        return "";
    return path.C_Str();
}

// An image file decoded by the game's own decoding (decodeImage: 8-bit RGB, rows in the
// order the image library hands them over, the first the one OpenGL puts at t = 0), with
// the lookups the data tests make.
struct LoadedImage {
    bool ok = false;                // decoded
    int width = 0, height = 0;      // pixels
    std::vector<unsigned char> rgb; // width x height x 3 bytes
    glm::vec3 at(int x, int y) const
    {
        const unsigned char* p = &rgb[(size_t(y) * width + x) * 3];
        return glm::vec3(p[0], p[1], p[2]) / 255.0f;
    }
    // Bilinear-free lookup at texture coordinates as OpenGL samples them (t = 0 first row).
    glm::vec3 sample(float s, float t) const
    {
        int x = std::min(width - 1, std::max(0, int(s * width)));
        int y = std::min(height - 1, std::max(0, int(t * height)));
        return at(x, y);
    }
};

inline LoadedImage loadImage(const std::string& path)
{
    DecodedImage decoded = decodeImage(path);
    LoadedImage image;
    if (!decoded.decoded)
        return image;
    ImageLevel& level = decoded.levels[0];
    image.ok = true;
    image.width = level.width;
    image.height = level.height;
    image.rgb = std::move(level.pixels);
    return image;
}

inline bool isPowerOfTwo(int value)
{
    return value > 0 && (value & (value - 1)) == 0;
}

// Axis-aligned bounds of one mesh.
inline void meshBounds(const aiMesh* mesh, glm::vec3& low, glm::vec3& high)
{
    low = glm::vec3(1e30f);
    high = glm::vec3(-1e30f);
    for (unsigned int i = 0; i < mesh->mNumVertices; ++i) {
        glm::vec3 p(mesh->mVertices[i].x, mesh->mVertices[i].y, mesh->mVertices[i].z);
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
}

// A mesh's triangles in world space.
struct Triangle {
    glm::vec3 a, b, c;
};

inline std::vector<Triangle> placedTriangles(const aiMesh* mesh, const glm::mat4& matrix)
{
    std::vector<Triangle> out;
    for (unsigned int f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        if (face.mNumIndices != 3)
            continue;
        glm::vec3 p[3];
        for (int k = 0; k < 3; ++k) {
            const aiVector3D& v = mesh->mVertices[face.mIndices[k]];
            p[k] = glm::vec3(matrix * glm::vec4(v.x, v.y, v.z, 1.0f));
        }
        out.push_back({p[0], p[1], p[2]});
    }
    return out;
}

// The barycentric weights of `p` in the triangle (a, b, c), all points (x, z); false when
// `p` lies outside it or the triangle has no area.
inline bool weightsInTriangle(glm::vec2 a, glm::vec2 b, glm::vec2 c, glm::vec2 p, glm::vec3& weights)
{
    float det = (b.y - c.y) * (a.x - c.x) + (c.x - b.x) * (a.y - c.y);
    if (std::fabs(det) < 1e-12f)
        return false;
    weights.x = ((b.y - c.y) * (p.x - c.x) + (c.x - b.x) * (p.y - c.y)) / det;
    weights.y = ((c.y - a.y) * (p.x - c.x) + (a.x - c.x) * (p.y - c.y)) / det;
    weights.z = 1.0f - weights.x - weights.y;
    const float e = -1e-5f;
    return weights.x >= e && weights.y >= e && weights.z >= e;
}

// The nearest hit of a ray going straight down from `origin`, as a distance; < 0 if none.
inline float rayDown(const std::vector<Triangle>& triangles, glm::vec3 origin)
{
    float best = -1.0f;
    for (const Triangle& t : triangles) {
        // Where the ray crosses the triangle in the x-z plane, then the height there.
        glm::vec3 w;
        if (!weightsInTriangle(glm::vec2(t.a.x, t.a.z), glm::vec2(t.b.x, t.b.z), glm::vec2(t.c.x, t.c.z),
                               glm::vec2(origin.x, origin.z), w))
            continue;
        float y = w.x * t.a.y + w.y * t.b.y + w.z * t.c.y;
        float distance = origin.y - y;
        if (distance >= 0.0f && (best < 0.0f || distance < best))
            best = distance;
    }
    return best;
}

inline std::string readText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace datatest
