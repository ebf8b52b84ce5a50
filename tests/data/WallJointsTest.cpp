// Where two wall pieces of the shipped data meet, the paving, its kerb and the side stones
// run on without a seam: along the shared edge, the texels each piece's own texture
// coordinates point at (read as the game reads them, filtered and repeating) agree.
#include "data/DataFiles.h"
#include "scene/LevelFile.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace datatest;
using vantor::scene::LevelElement;

namespace {

// A wall model's first mesh as the game imports it, with its diffuse texture.
struct TexturedPiece {
    LoadedModel model;
    LoadedImage texture;
    const aiMesh* mesh = nullptr;
};

TexturedPiece loadPiece(const std::string& file)
{
    TexturedPiece piece;
    piece.model = loadModel(modelsFolder() + file, vantor::scene::ModelKind::Wall);
    if (!piece.model.scene || piece.model.scene->mNumMeshes == 0)
        return piece;
    piece.mesh = piece.model.scene->mMeshes[0];
    const aiMaterial* material = piece.model.scene->mMaterials[piece.mesh->mMaterialIndex];
    piece.texture = loadImage(modelsFolder() + materialTexture(material, aiTextureType_DIFFUSE));
    return piece;
}

// The texture coordinate of the mesh's surface at `p` (model coordinates), interpolated in
// the nearest triangle over or under which it lies, within 2 cm (the smooth outlines may
// bulge by millimetres near a joint); false when no triangle is that near.
bool uvAt(const aiMesh* mesh, glm::vec3 p, glm::vec2& uv)
{
    float nearest = 0.02f;
    bool found = false;
    for (unsigned int f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        if (face.mNumIndices != 3)
            continue;
        glm::vec3 v[3];
        glm::vec2 t[3];
        for (int k = 0; k < 3; ++k) {
            const aiVector3D& position = mesh->mVertices[face.mIndices[k]];
            const aiVector3D& coordinate = mesh->mTextureCoords[0][face.mIndices[k]];
            v[k] = glm::vec3(position.x, position.y, position.z);
            t[k] = glm::vec2(coordinate.x, coordinate.y);
        }
        glm::vec3 normal = glm::cross(v[1] - v[0], v[2] - v[0]);
        float area = glm::length(normal);
        if (area < 1e-9f)
            continue;
        normal /= area;
        float distance = std::fabs(glm::dot(p - v[0], normal));
        if (distance >= nearest)
            continue;
        // Barycentric weights from the sub-triangles' areas, signed along the normal.
        float w0 = glm::dot(glm::cross(v[1] - p, v[2] - p), normal) / area;
        float w1 = glm::dot(glm::cross(v[2] - p, v[0] - p), normal) / area;
        float w2 = 1.0f - w0 - w1;
        if (w0 < -1e-4f || w1 < -1e-4f || w2 < -1e-4f)
            continue;
        uv = w0 * t[0] + w1 * t[1] + w2 * t[2];
        nearest = distance;
        found = true;
    }
    return found;
}

// The texture read as OpenGL reads it with linear filtering and repeat wrapping.
glm::vec3 filtered(const LoadedImage& image, glm::vec2 uv)
{
    float x = uv.x * float(image.width) - 0.5f, y = uv.y * float(image.height) - 0.5f;
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    float fx = x - float(x0), fy = y - float(y0);
    auto texel = [&](int i, int j) {
        return image.at(((i % image.width) + image.width) % image.width, ((j % image.height) + image.height) % image.height);
    };
    glm::vec3 top = glm::mix(texel(x0, y0), texel(x0 + 1, y0), fx);
    glm::vec3 bottom = glm::mix(texel(x0, y0 + 1), texel(x0 + 1, y0 + 1), fx);
    return glm::mix(top, bottom, fy);
}

LevelElement piece(int typ, int posx, int posz, int dir)
{
    LevelElement element{};
    element.typ = typ;
    element.posx = posx;
    element.posz = posz;
    element.dir = dir;
    return element;
}

const char* modelOf(int typ)
{
    return typ == 0 ? "endwall.dae" : typ == 1 ? "straightwall.dae" : "curvewall.dae";
}

struct JointReading {
    int samples = 0;             // points read on both sides
    int missing = 0;             // points one of the pieces has no surface at
    float meanDifference = 0.0f; // mean over the samples of the largest channel difference
    float worstDifference = 0.0f;
};

// Reads both pieces' textures at points of their shared edge: across the path's top
// (paving and kerb) and down both side walls. Each point is moved a hair into the piece
// that is read, so that each reads its own triangles.
JointReading readJoint(const LevelElement& a, const LevelElement& b)
{
    TexturedPiece pieces[2] = {loadPiece(modelOf(a.typ)), loadPiece(modelOf(b.typ))};
    glm::mat4 placed[2] = {vantor::scene::wallMatrixFor(a), vantor::scene::wallMatrixFor(b)};
    JointReading reading;
    for (const TexturedPiece& p : pieces)
        if (!p.mesh || !p.texture.ok || !p.mesh->HasTextureCoords(0))
            return reading;
    glm::vec3 centreA(placed[0][3]), centreB(placed[1][3]);
    glm::vec3 edge = (centreA + centreB) * 0.5f;
    glm::vec3 lane = glm::normalize(centreB - centreA);
    glm::vec3 across = glm::cross(lane, glm::vec3(0.0f, 1.0f, 0.0f));
    std::vector<glm::vec3> points;
    for (int i = 0; i <= 80; ++i)
        points.push_back(edge + across * (-1.99f + 3.98f * float(i) / 80.0f));
    for (float side : {-2.0f, 2.0f})
        for (int i = 0; i <= 20; ++i)
            points.push_back(edge + across * side + glm::vec3(0.0f, -0.05f - 1.1f * float(i) / 20.0f, 0.0f));
    float total = 0.0f;
    for (const glm::vec3& point : points) {
        glm::vec3 colour[2];
        bool found = true;
        for (int k = 0; k < 2; ++k) {
            glm::vec3 inside = point + lane * (k == 0 ? -1e-3f : 1e-3f);
            glm::vec3 local(glm::inverse(placed[k]) * glm::vec4(inside, 1.0f));
            glm::vec2 uv;
            found = found && uvAt(pieces[k].mesh, local, uv);
            if (found)
                colour[k] = filtered(pieces[k].texture, uv);
        }
        if (!found) {
            ++reading.missing;
            continue;
        }
        glm::vec3 difference = glm::abs(colour[0] - colour[1]);
        float largest = std::max(difference.x, std::max(difference.y, difference.z));
        total += largest;
        reading.worstDifference = std::max(reading.worstDifference, largest);
        ++reading.samples;
    }
    reading.meanDifference = reading.samples ? total / float(reading.samples) : 0.0f;
    return reading;
}

} // namespace

TEST(WallJoints, PavingKerbAndSideStonesRunOnAcrossEveryKindOfJoint)
{
    // Wall kinds: 0 end, 1 straight, 2 curve. Cells one apart; "dir" turns local +z to
    // world +z, +x, -z, -x, and the curve opens toward local +z and -x.
    struct Joint {
        const char* name;
        LevelElement from, to;
    } joints[] = {
        {"straight to straight", piece(1, 0, 0, 0), piece(1, 0, 1, 0)},
        {"straight to a straight turned round", piece(1, 0, 0, 0), piece(1, 0, 1, 2)},
        {"straight into a left turn", piece(1, 0, 0, 0), piece(2, 0, 1, 0)},
        {"straight into a right turn", piece(1, 0, 0, 0), piece(2, 0, 1, 1)},
        {"curve out to a straight", piece(2, 0, 1, 0), piece(1, 1, 1, 1)},
        {"straight to the end piece", piece(1, 0, 0, 0), piece(0, 0, 1, 0)},
    };
    for (const Joint& joint : joints) {
        JointReading reading = readJoint(joint.from, joint.to);
        SCOPED_TRACE(joint.name);
        EXPECT_EQ(reading.missing, 0) << "points of the shared edge where a piece has no surface";
        ASSERT_GE(reading.samples, 100);
        // Both sides paint one pattern, but on texel grids that differ where a piece is
        // turned: a little of filtering's blur is all that may differ. (Pieces painted
        // each for itself differ by 0.1 to 0.2 on average, by 0.35 and more at worst.)
        EXPECT_LT(reading.meanDifference, 0.02f);
        EXPECT_LT(reading.worstDifference, 0.1f);
    }
}
