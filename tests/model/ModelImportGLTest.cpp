#include "model/ColladaFixture.h"

#include "model/SimpleModelTexNon.h"
#include "model/Skybox.h"
#include "model/WallPiece.h"
#include "render/CustomShader.h"
#include "render/Texture.h"
#include "support/CaptureStdout.h"
#include "support/GLContext.h"

#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>
#include <memory>

using namespace vantor::scene;
using vantor::shadercode::CustomShader;
using vantor::shadercode::Shader;
using fixture::Square;

namespace {

// A context with the game's three model programs, and a folder with two textures.
class ModelImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(context.started()) << context.failure;
        fixture::writeTexture(folder.file("red.png"), 255, 0, 0);
        fixture::writeTexture(folder.file("flat.png"), 128, 128, 255);
        lit = std::make_unique<Shader>("../Shader/NormalMappingLight.vert", "../Shader/NormalMappingLight.frag");
        shadow = std::make_unique<CustomShader>("../Shader/shadowMapping.vert", "../Shader/shadowMapping.frag");
        glow = std::make_unique<CustomShader>("../Shader/glow.vert", "../Shader/glow.frag");
        basic = std::make_unique<Shader>("../Shader/Basic.vert", "../Shader/Basic.frag");
    }

    std::string model(const std::string& name, const std::vector<Square>& squares, const std::string& diffuse = "red.png",
                      const std::string& normal = "flat.png")
    {
        const std::string path = folder.file(name);
        fixture::writeModel(path, squares, diffuse, normal);
        return path;
    }

    // Draws level `lod` of `model` full-screen, lit by ambient light alone, and reads the
    // centre pixel of a blue background.
    glm::u8vec3 drawCentre(SimpleModelTexNon& model, unsigned int lod)
    {
        glViewport(0, 0, 64, 64);
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glUseProgram(lit->program);
        const glm::mat4 identity(1.0f);
        for (const char* name : {"projectionMatrix", "viewMatrix", "modelMatrix", "DepthBiasVP"})
            glUniformMatrix4fv(glGetUniformLocation(lit->program, name), 1, GL_FALSE, glm::value_ptr(identity));
        glUniform3f(glGetUniformLocation(lit->program, "Color"), 1, 1, 1);
        glUniform1f(glGetUniformLocation(lit->program, "AmbientIntensity"), 1);
        glUniform1f(glGetUniformLocation(lit->program, "DiffuseIntensity"), 0);
        glUniform3f(glGetUniformLocation(lit->program, "Direction"), 0, -1, 0);
        glUniform1f(glGetUniformLocation(lit->program, "alpha"), 1);
        glUniform1i(glGetUniformLocation(lit->program, "shadowMap"), 2);
        glUniform1i(glGetUniformLocation(lit->program, "glowMap"), 3);
        model.draw(lod);
        glm::u8vec3 pixel;
        glReadPixels(32, 32, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, &pixel);
        return pixel;
    }

    GLContext context;
    fixture::TempFolder folder;
    std::unique_ptr<Shader> lit;
    std::unique_ptr<CustomShader> shadow;
    std::unique_ptr<CustomShader> glow;
    std::unique_ptr<Shader> basic;
};

} // namespace

TEST_F(ModelImport, AFourMeshFileHasThreeLevelsAndItsLastMeshCollides)
{
    const std::string file = model("fruit.dae", {{0, 0, 0, 1}, {0, 0, 0, 0.5f}, {0, 0, 0, 0.25f}, {0, 0, 0, 40}});
    CaptureStdout capture;
    SimpleModelTexNon fruit(glm::mat4(1.0f), lit.get(), shadow.get(), glow.get(), file);
    const std::string expected = "\nReading file (" + file + ") ...\nNumber of meshes: 4 (mulitiresolution)"
                                 "\nLoading meshnumber 0 (Polygons: 2, Vertices: 4)"
                                 "\nLoading meshnumber 1 (Polygons: 2, Vertices: 4)"
                                 "\nLoading meshnumber 2 (Polygons: 2, Vertices: 4)"
                                 "\nLoaded diffuse texture '" + folder.path + "/red.png'\n"
                                 "Loaded normalmap (via emissive-texchannel) '" + folder.path + "/flat.png'\n"
                                 "Loading boundingbox\n";
    EXPECT_EQ(capture.text(), expected);

    ASSERT_EQ(fruit.meshes.size(), 3u);
    for (const MeshEntry& mesh : fruit.meshes) {
        EXPECT_EQ(mesh.numIndices, 6u);
        EXPECT_NE(mesh.vertexArray, 0u);
        EXPECT_NE(mesh.shadowVertexArray, 0u);
        EXPECT_NE(mesh.glowVertexArray, 0u);
    }
    ASSERT_EQ(fruit.textures.size(), 2u);
    EXPECT_NE(fruit.textures[0], nullptr);
    EXPECT_NE(fruit.textures[1], nullptr);
    // The collision description is the large fourth square; the sphere covers the levels only.
    ASSERT_EQ(fruit.collisionVertices.size(), 4u);
    EXPECT_EQ(fruit.collisionTriangles.size(), 2u);
    EXPECT_FLOAT_EQ(std::fabs(fruit.collisionVertices[0][3].x), 40.0f);
    EXPECT_NEAR(fruit.boundingSphereRadius, std::sqrt(2.0f), 1e-5f);

    // Level 0 shows its red texture; the lit program's fill and haze may shift it a shade.
    const glm::u8vec3 levelZero = drawCentre(fruit, 0);
    EXPECT_GE(levelZero.r, 250);
    EXPECT_LE(levelZero.g, 8);
    EXPECT_LE(levelZero.b, 8);
    EXPECT_EQ(drawCentre(fruit, 3), glm::u8vec3(0, 0, 255)) << "a level without a record draws nothing";
    fruit.visible = false;
    EXPECT_EQ(drawCentre(fruit, 0), glm::u8vec3(0, 0, 255));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ModelImport, FilesWithFewMeshesKeepTheLastForCollisionsAndMayDrawNothing)
{
    CaptureStdout capture;
    SimpleModelTexNon two(glm::mat4(1.0f), lit.get(), nullptr, nullptr, model("two.dae", {{}, {0, 0, 0, 3}}));
    EXPECT_NE(capture.text().find("Number of meshes: 2\nLoading meshnumber 0"), std::string::npos) << capture.text();
    EXPECT_EQ(two.meshes.size(), 1u);
    EXPECT_EQ(two.meshes[0].shadowVertexArray, 0u) << "no shadow program, no shadow vertex array";

    SimpleModelTexNon one(glm::mat4(1.0f), lit.get(), shadow.get(), glow.get(), model("one.dae", {{}}));
    EXPECT_TRUE(one.meshes.empty());
    EXPECT_EQ(one.collisionTriangles.size(), 2u);
    EXPECT_EQ(drawCentre(one, 0), glm::u8vec3(0, 0, 255));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ModelImport, AnUnreadableFilePrintsTheErrorAndLeavesAModelThatDrawsNothing)
{
    const std::string garbage = folder.file("garbage.dae");
    std::ofstream(garbage) << "<COLLADA> this is not a model";
    for (const std::string& file : {folder.file("missing.dae"), garbage}) {
        CaptureStdout capture;
        SimpleModelTexNon broken(glm::mat4(1.0f), lit.get(), shadow.get(), glow.get(), file);
        WallPiece wall(glm::mat4(1.0f), lit.get(), shadow.get(), glow.get(), file);
        Skybox sky(glm::mat4(1.0f), basic.get(), file);
        const std::string text = capture.text();
        EXPECT_EQ(text.rfind("\nAssimp-Error: parsing file (" + file + ") failed: ", 0), 0u) << text;
        EXPECT_NE(text.find("\nAssimp-Error: parsing file (" + file + ") failed: ", 1), std::string::npos);
        EXPECT_NE(text.find("\nAssimp-Error: parsing file (" + file + ") failed: "), std::string::npos);
        EXPECT_TRUE(broken.meshes.empty());
        EXPECT_TRUE(broken.textures.empty());
        EXPECT_EQ(drawCentre(broken, 0), glm::u8vec3(0, 0, 255));
        wall.draw(0);
        sky.draw();
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ModelImport, WallInstancesShareTheirPrototypeButOwnTheirBodies)
{
    // A wall material without a normal map gets the flat one, not an empty slot.
    CaptureStdout capture;
    WallPiece prototype(glm::mat4(1.0f), lit.get(), shadow.get(), glow.get(), model("wall.dae", {{1, 0, 0, 1}}, "red.png", ""));
    EXPECT_EQ(capture.text(), "Reading file (" + folder.file("wall.dae") + ") ...\nLoaded diffuse texture '" +
                                  folder.path + "/red.png'\n");
    ASSERT_EQ(prototype.textures.size(), 2u);
    ASSERT_NE(prototype.textures[1], nullptr);
    EXPECT_EQ(prototype.textures[1]->fileName, "neutral normal map");
    EXPECT_NE(prototype.textures[1]->textureObject, 0u);
    EXPECT_EQ(prototype.collisionTriangles.size(), 2u);

    const glm::mat4 turned =
        glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(-6, 1, -12)), 1.5707964f, glm::vec3(0, 1, 0));
    WallPiece a(&prototype, turned);
    WallPiece b(&prototype, glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -6)));
    EXPECT_EQ(a.prototype, &prototype);
    EXPECT_EQ(a.mesh.vertexArray, 0u) << "an instance owns no GL object";
    EXPECT_TRUE(a.textures.empty());
    EXPECT_EQ(a.boundingSphereRadius, prototype.boundingSphereRadius);
    EXPECT_NE(a.rigidBody, b.rigidBody);

    // Corner (2, 1, 0) of the square turned by a quarter turn lies at t + (z, y, -x).
    btVector3 aMin, aMax, bMin, bMax;
    a.collisionShape->getAabb(btTransform::getIdentity(), aMin, aMax);
    b.collisionShape->getAabb(btTransform::getIdentity(), bMin, bMax);
    EXPECT_NEAR(aMin.z(), -14.0f, 0.05f);
    EXPECT_NEAR(aMax.y(), 2.0f, 0.05f);
    EXPECT_NEAR(bMax.x(), 2.0f, 0.05f);
    EXPECT_NEAR(bMin.z(), -6.0f, 0.05f);

    glUseProgram(lit->program);
    a.draw(0);
    a.draw(2);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ModelImport, TheSkyRestoresDepthWritesAndCulling)
{
    CaptureStdout capture;
    Skybox sky(glm::mat4(1.0f), basic.get(), model("sky.dae", {{0, 0, 0, 50}}, "red.png", ""));
    EXPECT_EQ(capture.text(), "Reading file (" + folder.file("sky.dae") + ") ...\nLoaded diffuse texture '" +
                                  folder.path + "/red.png'\n");
    ASSERT_NE(sky.texture, nullptr);
    EXPECT_EQ(sky.mesh.numIndices, 6u);
    EXPECT_EQ(sky.mesh.normalBuffer, MeshEntry::noBuffer);

    glUseProgram(basic->program);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    sky.draw();
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ModelImport, MissingTexturesFallBackToWhiteWithTheirLines)
{
    // The fallback is read from "../Models/white.png": run beside a scratch Models folder.
    std::filesystem::create_directories(folder.file("Models"));
    std::filesystem::create_directories(folder.file("run"));
    fixture::writeTexture(folder.file("Models/white.png"), 255, 255, 255);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.file("run"));

    CaptureStdout capture;
    SimpleModelTexNon plain(glm::mat4(1.0f), lit.get(), nullptr, nullptr, model("plain.dae", {{}, {}}, "", ""));
    Skybox sky(glm::mat4(1.0f), basic.get(), model("plainsky.dae", {{}}, "", ""));
    WallPiece wall(glm::mat4(1.0f), lit.get(), nullptr, nullptr, model("plainwall.dae", {{}}, "", ""));
    std::filesystem::current_path(previous);

    const std::string text = capture.text();
    EXPECT_NE(text.find(")Could not load proper diffuse texutre, using white instead\n"
                        "Could not load proper normal texutre, using white instead\nLoading boundingbox\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Loaded diffuse"), std::string::npos);
    EXPECT_NE(text.find(") ...\nCould not load proper texutre, using white instead\n"), std::string::npos) << text;
    EXPECT_EQ(plain.textures[0]->fileName, "../Models/white.png");
    EXPECT_EQ(plain.textures[1]->fileName, "../Models/white.png");
    EXPECT_EQ(sky.texture->fileName, "../Models/white.png");
    // A wall takes white silently, and a flat normal map rather than a white one.
    EXPECT_EQ(text.find("plainwall.dae) ...\n"), text.size() - std::string("plainwall.dae) ...\n").size());
    EXPECT_EQ(wall.textures[0]->fileName, "../Models/white.png");
    EXPECT_EQ(wall.textures[1]->fileName, "neutral normal map");
}
