#include "course/CourseGeometry.h"
#include "game/AssetPrefetch.h"
#include "game/Game.h"
#include "game/LevelLoader.h"
#include "model/SimpleModelTexNon.h"
#include "model/Skybox.h"
#include "model/WallPiece.h"
#include "scene/Ingredient.h"
#include "scene/LevelFile.h"
#include "scene/Obstacle.h"
#include "support/CaptureStdout.h"

#include <filesystem>
#include <fstream>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace vantor::scene;
namespace fs = std::filesystem;

namespace {

// Runs Game::loadLevel in a scratch tree whose "../Models/" holds only a level file. No
// model file exists there, so every prototype is empty and nothing touches OpenGL: what
// is left is the course building itself.
class LevelLoader : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/lantern-level-XXXXXX";
        root = mkdtemp(pattern);
        fs::create_directories(root / "Models");
        fs::create_directories(root / "run");
        previous = fs::current_path();
        fs::current_path(root / "run");
    }
    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(root);
    }

    std::string load(const std::string& levelText)
    {
        std::ofstream(root / "Models" / "level.json") << levelText;
        CaptureStdout capture;
        AssetPrefetch readNow;
        game.loadLevel(readNow);
        return capture.text();
    }

    fs::path root;
    fs::path previous;
    Game game;
};

const std::string emptySlots = R"("obstacles": {"lv":0,"lm":0,"lh":0,"mv":0,"mm":0,"mh":0,"rv":0,"rm":0,"rh":0})";

} // namespace

TEST_F(LevelLoader, BuildsSupportedPiecesFillsEverySlotAndSetsTheGoal)
{
    const std::string log = load(R"({"elements": [
        {"typ": 1, "posx": 0, "posy": 0, "posz": 0, "dir": 0, "obstacles": {"lv":1,"lm":2,"lh":3,"mv":4,"mm":10,"mh":11,"rv":0,"rm":5,"rh":12}},
        {"typ": 5, "posx": 0, "posy": 0, "posz": 1, "dir": 0, "obstacles": {"lv":0,"lm":0,"lh":0,"mv":0,"mm":11,"mh":0,"rv":0,"rm":0,"rh":0}},
        {"typ": 0, "posx": 1, "posy": 2, "posz": 2, "dir": 1, )" + emptySlots + R"(} ]})");

    EXPECT_EQ(log.rfind("\n>>> Load Prototype-Models\n", 0), 0u);
    EXPECT_NE(log.find("\n>>> Load Levelfile\nOK: JSON-File read from filesystem\n\n>>> Create wall by instancing\n"
                       "FAILED: wall-type 5 is not supported.\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("no goal"), std::string::npos);

    ASSERT_EQ(game.wallPieces.size(), 2u);
    EXPECT_EQ(game.wallPieces[0]->prototype, game.straightWallPrototype);
    EXPECT_EQ(game.wallPieces[1]->prototype, game.endWallPrototype);
    ASSERT_EQ(game.obstacles.size(), 4u);
    const int types[] = {1, 2, 3, 4};
    SimpleModelTexNon* models[] = {game.rollerPrototype, game.fencePrototype, game.barricadePrototype,
                                   game.sandHeapPrototype};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(game.obstacles[i]->type, types[i]);
        EXPECT_EQ(game.obstacles[i]->model, models[i]);
    }
    // Fruit of the unsupported piece is placed too, in file order.
    ASSERT_EQ(game.ingredients.size(), 3u);
    EXPECT_EQ(game.ingredients[0]->model, game.bananaPrototype);
    EXPECT_EQ(game.ingredients[2]->type, 11);
    EXPECT_NEAR(glm::distance(game.ingredients[2]->position, glm::vec3(-0.02f, 0, -6 - 0.2f)), 0.0f, 1e-5f);
    EXPECT_TRUE(game.textures.empty()) << "unreadable models have no texture to gather";

    EXPECT_TRUE(courseHasGoal);
    EXPECT_EQ(goalPosition, glm::vec3(-6, 2, -12));
}

TEST_F(LevelLoader, ABrokenOrEmptyCourseBuildsNothingAndHasNoGoal)
{
    const std::string cases[] = {
        "{ not json",
        R"({"elements": [ {"typ": 1, )" + emptySlots + R"(}, {"typ": "straight", )" + emptySlots + "} ]}",
        R"({"elements": []})",
        R"({"elements": [ {"typ": 9, )" + emptySlots + "} ]}",
    };
    for (const std::string& text : cases) {
        const std::string log = load(text);
        EXPECT_TRUE(game.wallPieces.empty()) << text;
        EXPECT_TRUE(game.obstacles.empty()) << text;
        EXPECT_FALSE(courseHasGoal) << text;
        EXPECT_EQ(goalPosition, glm::vec3(0)) << text;
        EXPECT_NE(log.find("The course has no wall piece, so it has no goal.\n"), std::string::npos) << log;
        TearDown();
        SetUp();
    }
}

// The game places an item where the course checker looks for it: on a course with an item
// in every slot of every piece kind at every "dir", each placed item, carried into its
// piece's own coordinates as the checker carries the course, stands on the checker's slot
// point. A loader that swapped rows and columns would miss every off-diagonal slot.
TEST_F(LevelLoader, PlacedItemsStandWhereTheCheckerLooksForThem)
{
    // Fruit and obstacles alternate over the slots, so both kinds are placed everywhere.
    const int codes[9] = {10, 1, 11, 2, 10, 3, 11, 4, 10};
    std::string text = R"({"elements": [)";
    std::vector<LevelElement> elements;
    for (int typ = 0; typ < 3; ++typ) {
        for (int dir = 0; dir < 4; ++dir) {
            LevelElement element{typ, 2 * dir, typ, 2 * typ, dir, {}};
            std::string slots;
            for (size_t s = 0; s < levelSlots.size(); ++s) {
                element.items[s] = codes[s];
                slots += std::string(s ? ", " : "") + "\"" + levelSlots[s].key + "\": " + std::to_string(codes[s]);
            }
            text += std::string(elements.empty() ? "" : ", ") + "{\"typ\": " + std::to_string(typ) +
                    ", \"posx\": " + std::to_string(element.posx) + ", \"posy\": " + std::to_string(element.posy) +
                    ", \"posz\": " + std::to_string(element.posz) + ", \"dir\": " + std::to_string(dir) +
                    ", \"obstacles\": {" + slots + "}}";
            elements.push_back(element);
        }
    }
    load(text + "]}");
    ASSERT_EQ(game.ingredients.size(), 12u * 5u);
    ASSERT_EQ(game.obstacles.size(), 12u * 4u);

    size_t nextIngredient = 0, nextObstacle = 0;
    for (const LevelElement& element : elements) {
        const CoursePiece piece = coursePieceOf(element);
        for (size_t s = 0; s < levelSlots.size(); ++s) {
            const bool fruit = itemKindFor(element.items[s]) == ItemKind::Ingredient;
            const glm::mat4& placed =
                fruit ? game.ingredients[nextIngredient++]->modelMatrix : game.obstacles[nextObstacle++]->modelMatrix;
            const glm::vec3 world(placed[3]);
            const glm::vec2 onPiece = toLocal(piece, world);
            const glm::vec3 checked = slotPositionOnPiece(levelSlots[s]);
            const std::string where = std::string("typ ") + std::to_string(element.typ) + ", dir " +
                                      std::to_string(element.dir) + ", slot " + levelSlots[s].key;
            EXPECT_NEAR(onPiece.x, checked.x, 1e-4f) << where;
            EXPECT_NEAR(onPiece.y, checked.z, 1e-4f) << where;
            EXPECT_NEAR(world.y, piece.origin.y + checked.y, 1e-4f) << where;
        }
    }
}

// A course file over the size limit is refused before it is parsed, with one line; the
// game goes on with an empty course as after any file it cannot read.
TEST_F(LevelLoader, AFileOverTheSizeLimitIsRefusedWithOneLine)
{
    std::string text = R"({"elements": [ {"typ": 0, )" + emptySlots + "} ]}";
    text.resize(size_t(maxLevelFileBytes) + 1, ' ');
    const std::string log = load(text);
    EXPECT_TRUE(game.wallPieces.empty());
    EXPECT_FALSE(courseHasGoal);
    EXPECT_NE(log.find("\nFAILED: level file: larger than 1048576 bytes, the most a course file may have.\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("FAILED:"), log.rfind("FAILED:")) << log;
}
