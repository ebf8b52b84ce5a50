#include "game/AssetPrefetch.h"
#include "game/Game.h"
#include "game/LevelLoader.h"
#include "model/SimpleModelTexNon.h"
#include "model/Skybox.h"
#include "model/WallPiece.h"
#include "render/CustomShader.h"
#include "scene/Ingredient.h"
#include "scene/LevelFile.h"
#include "scene/Obstacle.h"
#include "support/CaptureStdout.h"
#include "support/GLContext.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

using namespace vantor::scene;
using vantor::shadercode::CustomShader;
using vantor::shadercode::Shader;

namespace {

const char* const shippedFiles[] = {
    "../Models/level.json",      "../Models/white.png",         "../Models/straightwall.dae",
    "../Models/endwall.dae",     "../Models/curvewall.dae",     "../Models/Gitter.dae",
    "../Models/Rolle.dae",       "../Models/Holzbarrikade.dae", "../Models/Sandhaufen.dae",
    "../Models/Banana.dae",      "../Models/apple.dae",         "../Models/skybox/boxNormal.dae"};

std::string missingShippedFile()
{
    for (const char* file : shippedFiles)
        if (access(file, R_OK) != 0)
            return file;
    return std::string();
}

} // namespace

// The shipped course builds completely: every wall, obstacle and fruit of the level file,
// with the goal on the last wall piece. Prints the time the build took on this machine.
TEST(LevelBuild, TheShippedCourseBuildsWithItsLog)
{
    const std::string missing = missingShippedFile();
    if (!missing.empty())
        GTEST_SKIP() << missing << " is not generated yet";

    std::ifstream file("../Models/level.json", std::ios::binary);
    const LevelDescription level =
        parseLevel(std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));
    ASSERT_TRUE(level.ok) << level.error;
    size_t walls = 0, obstacles = 0, fruit = 0;
    for (const LevelElement& element : level.elements) {
        walls += isSupportedWallType(element.typ) ? 1 : 0;
        for (int code : element.items) {
            obstacles += itemKindFor(code) == ItemKind::Obstacle ? 1 : 0;
            fruit += itemKindFor(code) == ItemKind::Ingredient ? 1 : 0;
        }
    }

    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    Game game;
    game.normalMappingShader = new Shader("../Shader/NormalMappingLight.vert", "../Shader/NormalMappingLight.frag");
    game.basicShader = new Shader("../Shader/Basic.vert", "../Shader/Basic.frag");
    game.shadowMappingShader = new CustomShader("../Shader/shadowMapping.vert", "../Shader/shadowMapping.frag");
    game.glowShader = new CustomShader("../Shader/glow.vert", "../Shader/glow.frag");

    std::string log;
    const auto start = std::chrono::steady_clock::now();
    {
        CaptureStdout capture;
        AssetPrefetch readNow;
        game.loadLevel(readNow);
        log = capture.text();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "[ FIGURE   ] course build (10 prototypes, " << level.elements.size() << " elements): " << seconds
              << " s" << std::endl;

    EXPECT_EQ(log.rfind("\n>>> Load Prototype-Models\n", 0), 0u) << log;
    for (const char* line : {"\n>>> Load Levelfile\nOK: JSON-File read from filesystem\n",
                             "\n>>> Create wall by instancing\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line;
    EXPECT_EQ(log.find("Assimp-Error"), std::string::npos) << log;
    EXPECT_EQ(log.find("using white instead"), std::string::npos) << "every shipped material has its textures";

    EXPECT_EQ(game.wallPieces.size(), walls);
    EXPECT_EQ(game.obstacles.size(), obstacles);
    EXPECT_EQ(game.ingredients.size(), fruit);
    EXPECT_EQ(game.textures.size(), 9u);
    ASSERT_NE(game.skybox, nullptr);
    EXPECT_GT(game.skybox->mesh.numIndices, 0u);
    for (WallPiece* wall : {game.straightWallPrototype, game.endWallPrototype, game.curveWallPrototype})
        EXPECT_GT(wall->mesh.numIndices, 0u);
    // The fruit is drawn at three levels of detail; every model has a collision box.
    for (SimpleModelTexNon* model : {game.bananaPrototype, game.applePrototype})
        EXPECT_EQ(model->meshes.size(), 3u);
    for (SimpleModelTexNon* model : {game.fencePrototype, game.rollerPrototype, game.barricadePrototype,
                                     game.sandHeapPrototype, game.bananaPrototype, game.applePrototype}) {
        EXPECT_FALSE(model->meshes.empty());
        EXPECT_FALSE(model->collisionTriangles.empty());
    }

    const CourseGoal goal = courseGoalOf(level.elements);
    EXPECT_EQ(courseHasGoal, goal.exists);
    EXPECT_EQ(goalPosition, goal.position);
    for (Ingredient* item : game.ingredients)
        EXPECT_EQ(item->position, glm::vec3(item->modelMatrix[3]));
}
