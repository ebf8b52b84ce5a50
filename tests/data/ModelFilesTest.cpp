// The shipped model files (Models/*.dae): each loads through assimp with the
// game's flags, has the meshes and the two materials the game expects, names textures
// that exist and decode, and has the size and place the course needs.
#include "data/DataFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace datatest;

namespace {

using vantor::scene::ModelKind;

struct ModelCase {
    const char* file;
    ModelKind kind;      // the rules the game reads it with
    unsigned int meshes; // including the bounding-box mesh where there is one
    bool normalMap;
};

const ModelCase allModels[] = {
    {"hero.dae", ModelKind::Textured, 2, true},          {"Banana.dae", ModelKind::Textured, 4, true},
    {"apple.dae", ModelKind::Textured, 4, true},         {"Rolle.dae", ModelKind::Textured, 2, true},
    {"Gitter.dae", ModelKind::Textured, 2, true},        {"Holzbarrikade.dae", ModelKind::Textured, 2, true},
    {"Sandhaufen.dae", ModelKind::Textured, 2, true},    {"straightwall.dae", ModelKind::Wall, 1, true},
    {"curvewall.dae", ModelKind::Wall, 1, true},         {"endwall.dae", ModelKind::Wall, 1, true},
};

bool finite(const aiVector3D& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Bounds over the drawable meshes (all but the last when the file has a bounding box).
void drawnBounds(const aiScene* scene, unsigned int drawn, glm::vec3& low, glm::vec3& high)
{
    low = glm::vec3(1e30f);
    high = glm::vec3(-1e30f);
    for (unsigned int i = 0; i < drawn; ++i) {
        glm::vec3 l, h;
        meshBounds(scene->mMeshes[i], l, h);
        low = glm::min(low, l);
        high = glm::max(high, h);
    }
}

void expectNear(const glm::vec3& a, const glm::vec3& b, float tolerance, const std::string& what)
{
    EXPECT_NEAR(a.x, b.x, tolerance) << what;
    EXPECT_NEAR(a.y, b.y, tolerance) << what;
    EXPECT_NEAR(a.z, b.z, tolerance) << what;
}

} // namespace

TEST(ModelFiles, EveryModelLoadsWithTheGamesFlagsAndHasTwoMaterials)
{
    for (const ModelCase& c : allModels) {
        SCOPED_TRACE(c.file);
        LoadedModel model = loadModel(modelsFolder() + c.file, c.kind);
        ASSERT_NE(model.scene, nullptr) << model.error;
        EXPECT_EQ(model.scene->mNumMeshes, c.meshes);
        ASSERT_EQ(model.scene->mNumMaterials, 2u);
        // Material 0 is never read; material 1 names the textures, relative to the model's folder.
        EXPECT_EQ(materialTexture(model.scene->mMaterials[0], aiTextureType_DIFFUSE), "");
        std::string diffuse = materialTexture(model.scene->mMaterials[1], aiTextureType_DIFFUSE);
        std::string normal = materialTexture(model.scene->mMaterials[1], aiTextureType_EMISSIVE);
        ASSERT_FALSE(diffuse.empty());
        EXPECT_EQ(normal.empty(), !c.normalMap);
        for (const std::string& texture : {diffuse, normal}) {
            if (texture.empty())
                continue;
            EXPECT_NE(texture[0], '/') << texture;
            LoadedImage image = loadImage(modelsFolder() + texture);
            ASSERT_TRUE(image.ok) << texture;
            EXPECT_TRUE(isPowerOfTwo(image.width) && image.width <= 1024) << texture;
            EXPECT_TRUE(isPowerOfTwo(image.height) && image.height <= 1024) << texture;
        }
        for (unsigned int m = 0; m < model.scene->mNumMeshes; ++m) {
            const aiMesh* mesh = model.scene->mMeshes[m];
            SCOPED_TRACE(mesh->mName.C_Str());
            EXPECT_EQ(mesh->mMaterialIndex, 1u);
            EXPECT_GT(mesh->mNumFaces, 0u);
            ASSERT_TRUE(mesh->HasTextureCoords(0));
            ASSERT_TRUE(mesh->HasNormals());
            ASSERT_TRUE(mesh->HasTangentsAndBitangents());
            for (unsigned int f = 0; f < mesh->mNumFaces; ++f)
                ASSERT_EQ(mesh->mFaces[f].mNumIndices, 3u);
            for (unsigned int v = 0; v < mesh->mNumVertices; ++v) {
                ASSERT_TRUE(finite(mesh->mVertices[v]) && finite(mesh->mNormals[v]) && finite(mesh->mTangents[v]))
                    << "vertex " << v;
            }
        }
    }
}

TEST(ModelFiles, FacesFaceOutwardAndNormalMapsAreNotMirrored)
{
    // Back faces are culled, so every triangle must wind counter-clockwise seen from the
    // side its normals point to. The normal maps are painted with green toward the top of
    // the image: that is cross(normal, tangent) when a surface's texture is not mirrored,
    // i.e. opposite to assimp's bitangent (which follows the flipped v).
    for (const ModelCase& c : allModels) {
        SCOPED_TRACE(c.file);
        LoadedModel model = loadModel(modelsFolder() + c.file, c.kind);
        ASSERT_NE(model.scene, nullptr) << model.error;
        for (unsigned int m = 0; m < model.scene->mNumMeshes; ++m) {
            const aiMesh* mesh = model.scene->mMeshes[m];
            SCOPED_TRACE(mesh->mName.C_Str());
            auto vec = [](const aiVector3D& v) { return glm::vec3(v.x, v.y, v.z); };
            unsigned int inward = 0, mirrored = 0;
            for (unsigned int f = 0; f < mesh->mNumFaces; ++f) {
                const unsigned int* i = mesh->mFaces[f].mIndices;
                glm::vec3 a = vec(mesh->mVertices[i[0]]), b = vec(mesh->mVertices[i[1]]), d = vec(mesh->mVertices[i[2]]);
                glm::vec3 normals = vec(mesh->mNormals[i[0]]) + vec(mesh->mNormals[i[1]]) + vec(mesh->mNormals[i[2]]);
                inward += glm::dot(glm::cross(b - a, d - a), normals) < 0.0f ? 1 : 0;
            }
            for (unsigned int v = 0; v < mesh->mNumVertices; ++v) {
                glm::vec3 up = glm::cross(vec(mesh->mNormals[v]), vec(mesh->mTangents[v]));
                mirrored += glm::dot(up, vec(mesh->mBitangents[v])) > 0.0f ? 1 : 0;
            }
            EXPECT_EQ(inward, 0u);
            EXPECT_LE(mirrored * 50, mesh->mNumVertices) << mirrored << " of " << mesh->mNumVertices;
        }
    }
}

TEST(ModelFiles, TheLastMeshOfEveryTexturedModelIsItsBoundingBox)
{
    for (const ModelCase& c : allModels) {
        if (c.meshes < 2)
            continue;
        SCOPED_TRACE(c.file);
        LoadedModel model = loadModel(modelsFolder() + c.file, c.kind);
        ASSERT_NE(model.scene, nullptr) << model.error;
        const aiMesh* box = model.scene->mMeshes[model.scene->mNumMeshes - 1];
        EXPECT_EQ(box->mNumFaces, 12u);
        EXPECT_NE(std::string(box->mName.C_Str()).find("boundingbox"), std::string::npos) << box->mName.C_Str();
        glm::vec3 low, high, boxLow, boxHigh;
        drawnBounds(model.scene, model.scene->mNumMeshes - 1, low, high);
        meshBounds(box, boxLow, boxHigh);
        expectNear(boxLow, low, 1e-4f, "box low corner");
        expectNear(boxHigh, high, 1e-4f, "box high corner");
    }
}

TEST(ModelFiles, TheHeroIsABallOfRadiusOne)
{
    LoadedModel model = loadModel(modelsFolder() + "hero.dae", ModelKind::Textured);
    ASSERT_NE(model.scene, nullptr) << model.error;
    const aiMesh* ball = model.scene->mMeshes[0];
    for (unsigned int v = 0; v < ball->mNumVertices; ++v) {
        const aiVector3D& p = ball->mVertices[v];
        ASSERT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 1.0f, 1e-4f) << "vertex " << v;
    }
    EXPECT_GE(ball->mNumFaces, 500u); // round enough at the size the game draws it
}

TEST(ModelFiles, FruitHasThreeLevelsOfDetailWithClearlyFallingTriangleCounts)
{
    for (const char* file : {"Banana.dae", "apple.dae"}) {
        SCOPED_TRACE(file);
        LoadedModel model = loadModel(modelsFolder() + file, ModelKind::Textured);
        ASSERT_NE(model.scene, nullptr) << model.error;
        ASSERT_EQ(model.scene->mNumMeshes, 4u);
        unsigned int counts[3];
        for (int i = 0; i < 3; ++i)
            counts[i] = model.scene->mMeshes[i]->mNumFaces;
        EXPECT_GT(counts[0], counts[1]);
        EXPECT_GT(counts[1], counts[2]);
        EXPECT_LE(counts[1] * 10, counts[0] * 6); // each level has at most 60 % of the one before
        EXPECT_LE(counts[2] * 10, counts[1] * 6);
        // Standing on y = 0 inside one slot.
        glm::vec3 low, high;
        drawnBounds(model.scene, 3, low, high);
        EXPECT_NEAR(low.y, 0.0f, 1e-3f);
        EXPECT_LE(high.y, 1.0f);
        EXPECT_GE(high.y, 0.4f);
        EXPECT_LE(std::max(std::fabs(low.x), std::fabs(high.x)), 0.5f);
        EXPECT_LE(std::max(std::fabs(low.z), std::fabs(high.z)), 0.5f);
    }
}

TEST(ModelFiles, ObstaclesStandOnTheFloorAndLeaveTheNextLaneFree)
{
    // Lanes are 1.13 apart; a ball of radius 0.5 in the next lane must clear the obstacle.
    for (const char* file : {"Rolle.dae", "Gitter.dae", "Holzbarrikade.dae", "Sandhaufen.dae"}) {
        SCOPED_TRACE(file);
        LoadedModel model = loadModel(modelsFolder() + file, ModelKind::Textured);
        ASSERT_NE(model.scene, nullptr) << model.error;
        glm::vec3 low, high;
        meshBounds(model.scene->mMeshes[model.scene->mNumMeshes - 1], low, high); // the collision box
        EXPECT_NEAR(low.y, 0.0f, 1e-3f);
        EXPECT_GE(high.y, 0.3f);
        EXPECT_LE(high.y, 1.2f);
        EXPECT_LE(std::max(std::fabs(low.x), std::fabs(high.x)), 0.45f);
        EXPECT_LE(1.13f - 0.5f - std::max(std::fabs(low.x), std::fabs(high.x)), 1.13f);
        EXPECT_GT(1.13f - 0.5f - std::max(std::fabs(low.x), std::fabs(high.x)), 0.15f); // room to spare
        EXPECT_LE(std::max(std::fabs(low.z), std::fabs(high.z)), 0.9f); // within its third of the piece
    }
}

TEST(ModelFiles, WallPiecesFillOneCellWithTheirWalkableTopAtZero)
{
    for (const char* file : {"straightwall.dae", "curvewall.dae", "endwall.dae"}) {
        SCOPED_TRACE(file);
        LoadedModel model = loadModel(modelsFolder() + file, ModelKind::Wall);
        ASSERT_NE(model.scene, nullptr) << model.error;
        const aiMesh* wall = model.scene->mMeshes[0];
        glm::vec3 low, high;
        meshBounds(wall, low, high);
        EXPECT_GE(low.x, -3.0f - 1e-4f);
        EXPECT_LE(high.x, 3.0f + 1e-4f);
        EXPECT_GE(low.z, -3.0f - 1e-4f);
        EXPECT_LE(high.z, 3.0f + 1e-4f);
        EXPECT_LT(low.y, -0.5f); // a solid slab, not a sheet
        if (std::string(file) != "endwall.dae") {
            EXPECT_NEAR(high.y, 0.0f, 1e-5f);
        }
        // All nine item slots lie on the top, with room around them.
        std::vector<Triangle> triangles = placedTriangles(wall, glm::mat4(1.0f));
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) {
                glm::vec3 slot(row * 1.13f - 1.15f, 0.0f, 1.8f - 2.0f * column);
                for (glm::vec3 offset : {glm::vec3(0), glm::vec3(0.3f, 0, 0.3f), glm::vec3(-0.3f, 0, -0.3f),
                                         glm::vec3(0.3f, 0, -0.3f), glm::vec3(-0.3f, 0, 0.3f)}) {
                    float distance = rayDown(triangles, slot + offset + glm::vec3(0, 1, 0));
                    EXPECT_NEAR(distance, 1.0f, 1e-4f) << "slot " << row << "," << column;
                }
            }
        }
    }
}

TEST(ModelFiles, WallPiecesAreOpenExactlyTowardTheirNeighbours)
{
    // Along each edge of the cell: an open edge carries the path's full width at y = 0
    // right up to the edge (x or z = +-3, across -1.9 .. 1.9); a closed edge has no top there.
    struct Edges {
        const char* file;
        bool plusZ, minusZ, minusX, plusX;
    };
    const Edges cases[] = {{"straightwall.dae", true, true, false, false},
                           {"curvewall.dae", true, false, true, false},
                           {"endwall.dae", true, false, false, false}};
    for (const Edges& c : cases) {
        SCOPED_TRACE(c.file);
        LoadedModel model = loadModel(modelsFolder() + c.file, ModelKind::Wall);
        ASSERT_NE(model.scene, nullptr) << model.error;
        std::vector<Triangle> triangles = placedTriangles(model.scene->mMeshes[0], glm::mat4(1.0f));
        auto edgeOpen = [&](glm::vec3 along, glm::vec3 across) {
            int hits = 0;
            for (int i = 0; i <= 19; ++i) {
                glm::vec3 p = along * 2.98f + across * (-1.9f + 0.2f * float(i)) + glm::vec3(0, 1, 0);
                hits += std::fabs(rayDown(triangles, p) - 1.0f) < 1e-4f ? 1 : 0;
            }
            return hits;
        };
        EXPECT_EQ(edgeOpen({0, 0, 1}, {1, 0, 0}), c.plusZ ? 20 : 0);
        EXPECT_EQ(edgeOpen({0, 0, -1}, {1, 0, 0}), c.minusZ ? 20 : 0);
        EXPECT_EQ(edgeOpen({-1, 0, 0}, {0, 0, 1}), c.minusX ? 20 : 0);
        EXPECT_EQ(edgeOpen({1, 0, 0}, {0, 0, 1}), c.plusX ? 20 : 0);
    }
}

TEST(ModelFiles, TheEndPieceShowsItsGoalMarkerRightWayRound)
{
    // The chequered goal disc is painted at the origin of the end piece's top: the texture
    // at points near the origin, interpolated from the top face under each (with assimp's
    // flipped v and DevIL's row order, as the game samples it), is the gold centre.
    LoadedModel model = loadModel(modelsFolder() + "endwall.dae", ModelKind::Wall);
    ASSERT_NE(model.scene, nullptr) << model.error;
    LoadedImage image = loadImage(modelsFolder() + materialTexture(model.scene->mMaterials[1], aiTextureType_DIFFUSE));
    ASSERT_TRUE(image.ok);
    const aiMesh* wall = model.scene->mMeshes[0];
    const glm::vec2 points[] = {{0.0f, 0.0f}, {0.3f, 0.0f}, {-0.3f, 0.0f}, {0.0f, 0.3f}, {0.0f, -0.3f}};
    for (glm::vec2 point : points) {
        bool found = false;
        for (unsigned int f = 0; f < wall->mNumFaces && !found; ++f) {
            const unsigned int* index = wall->mFaces[f].mIndices;
            glm::vec2 corner[3];
            bool top = wall->mFaces[f].mNumIndices == 3;
            for (int k = 0; k < 3 && top; ++k) {
                const aiVector3D& p = wall->mVertices[index[k]];
                top = p.y == 0.0f && wall->mNormals[index[k]].y > 0.99f;
                corner[k] = glm::vec2(p.x, p.z);
            }
            glm::vec3 weight;
            if (!top || !weightsInTriangle(corner[0], corner[1], corner[2], point, weight))
                continue;
            found = true;
            glm::vec2 uv(0.0f);
            for (int k = 0; k < 3; ++k)
                uv += weight[k] * glm::vec2(wall->mTextureCoords[0][index[k]].x, wall->mTextureCoords[0][index[k]].y);
            glm::vec3 colour = image.sample(uv.x, uv.y);
            EXPECT_TRUE(colour.r > 0.7f && colour.g > 0.5f && colour.b < colour.r - 0.4f)
                << "(" << point.x << ", " << point.y << ") shows " << colour.r << " " << colour.g << " " << colour.b;
        }
        EXPECT_TRUE(found) << "no top face under (" << point.x << ", " << point.y << ")";
    }
}

TEST(ModelFiles, TheSkyBoxSurroundsTheEyeWithTheSkyAboveAndTheValleyBelow)
{
    LoadedModel model = loadModel(modelsFolder() + "skybox/boxNormal.dae", ModelKind::Sky);
    ASSERT_NE(model.scene, nullptr) << model.error;
    ASSERT_GE(model.scene->mNumMeshes, 1u);
    ASSERT_EQ(model.scene->mNumMaterials, 2u);
    std::string texture = materialTexture(model.scene->mMaterials[1], aiTextureType_DIFFUSE);
    ASSERT_FALSE(texture.empty());
    LoadedImage image = loadImage(modelsFolder() + "skybox/" + texture);
    ASSERT_TRUE(image.ok);
    EXPECT_TRUE(isPowerOfTwo(image.width) && image.width <= 1024 && isPowerOfTwo(image.height));
    const aiMesh* sky = model.scene->mMeshes[0];
    ASSERT_TRUE(sky->HasTextureCoords(0));
    glm::vec3 low, high;
    meshBounds(sky, low, high);
    EXPECT_GT(std::min(std::min(-low.x, -low.y), -low.z), 10.0f); // around the eye
    EXPECT_GT(std::min(std::min(high.x, high.y), high.z), 10.0f);
    for (unsigned int v = 0; v < sky->mNumVertices; ++v) {
        const aiVector3D& p = sky->mVertices[v];
        ASSERT_LT(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 99.0f); // inside the far plane
        float s = sky->mTextureCoords[0][v].x, t = sky->mTextureCoords[0][v].y;
        ASSERT_TRUE(s >= 0.0f && s <= 1.0f && t >= 0.0f && t <= 1.0f); // clamped at the edges
        // Straight up is blue sky; straight down is the green valley.
        float elevation = p.y / std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
        glm::vec3 colour = image.sample(s, t);
        if (elevation > 0.9f) {
            EXPECT_GT(colour.b, colour.g) << "vertex " << v;
        }
        if (elevation < -0.9f) {
            EXPECT_GT(colour.g, colour.b) << "vertex " << v;
        }
    }
}

TEST(ModelFiles, WhiteAndFontImagesDecode)
{
    LoadedImage white = loadImage(modelsFolder() + "white.png");
    ASSERT_TRUE(white.ok);
    EXPECT_EQ(white.at(0, 0), glm::vec3(1.0f));

    LoadedImage font = loadImage(modelsFolder() + "font.png");
    ASSERT_TRUE(font.ok);
    ASSERT_EQ(font.width, font.height);
    ASSERT_TRUE(isPowerOfTwo(font.width));
    int cell = font.width / 16;
    // Brightness of the upper and lower half of the glyph cell of a character, with row 0
    // being the first row DevIL hands over (t = 0 in the game's text overlay).
    auto halves = [&](unsigned char c, float& upper, float& lower) {
        upper = lower = 0.0f;
        int x0 = (c % 16) * cell, y0 = (c / 16) * cell;
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x)
                (y < cell / 2 ? upper : lower) += font.at(x0 + x, y0 + y).r;
    };
    for (int c = 33; c < 127; ++c) {
        float upper, lower;
        halves((unsigned char)c, upper, lower);
        EXPECT_GT(upper + lower, 5.0f) << "no glyph for '" << char(c) << "'";
    }
    float upper, lower;
    halves(' ', upper, lower);
    EXPECT_EQ(upper + lower, 0.0f);
    halves('_', upper, lower); // upright: the underscore at the bottom of its cell
    EXPECT_GT(lower, 5.0f);
    EXPECT_EQ(upper, 0.0f);
    halves('^', upper, lower);
    EXPECT_GT(upper, 5.0f);
    EXPECT_EQ(lower, 0.0f);
}
