// Game::loadLevel and Game::placeItem: the model prototypes and the course of the level file.
#include "game/LevelLoader.h"

#include "game/AssetPrefetch.h"
#include "game/Game.h"
#include "model/SimpleModelTexNon.h"
#include "model/Skybox.h"
#include "model/WallPiece.h"
#include "platform/FatalExit.h"
#include "render/CustomShader.h"
#include "scene/Ingredient.h"
#include "scene/LevelFile.h"
#include "scene/Obstacle.h"

#include <cstdlib>
#include <iostream>

glm::vec3 goalPosition(0.0f);
bool courseHasGoal = false;
const char* const shippedCourse = "../Models/level.json";
std::string levelFileName = shippedCourse;

std::string courseFileFromEnvironment()
{
    const char* chosen = std::getenv("LANTERN_TRAIL_COURSE");
    return chosen != nullptr && chosen[0] != '\0' ? std::string(chosen) : std::string(shippedCourse);
}

using namespace vantor::scene;

namespace {
const char* const noGoalLine = "The course has no wall piece, so it has no goal.";
}

void Game::loadLevel(AssetPrefetch& assets)
{
    courseHasGoal = false;
    goalPosition = glm::vec3(0.0f);
    std::cout << "\n>>> Load Prototype-Models" << std::endl;
    const glm::mat4 identity(1.0f);
    const glm::mat4 slotMatrix = slotPrototypeMatrix();
    auto gatherTexture = [this](const std::vector<vantor::util::Texture*>& modelTextures) {
        // An unreadable model has no texture to gather.
        if (!modelTextures.empty() && modelTextures[0] != nullptr)
            textures.push_back(modelTextures[0]);
    };
    auto wallPrototype = [&](StartUpAsset asset) {
        auto* wall =
            new WallPiece(identity, normalMappingShader, shadowMappingShader, glowShader, assets.takeModel(asset));
        gatherTexture(wall->textures);
        return wall;
    };
    auto modelPrototype = [&](StartUpAsset asset) {
        auto* model =
            new SimpleModelTexNon(slotMatrix, normalMappingShader, shadowMappingShader, glowShader, assets.takeModel(asset));
        gatherTexture(model->textures);
        return model;
    };
    straightWallPrototype = wallPrototype(StartUpAsset::StraightWall);
    endWallPrototype = wallPrototype(StartUpAsset::EndWall);
    curveWallPrototype = wallPrototype(StartUpAsset::CurveWall);
    fencePrototype = modelPrototype(StartUpAsset::Fence);
    rollerPrototype = modelPrototype(StartUpAsset::Roller);
    barricadePrototype = modelPrototype(StartUpAsset::Barricade);
    sandHeapPrototype = modelPrototype(StartUpAsset::SandHeap);
    bananaPrototype = modelPrototype(StartUpAsset::Banana);
    applePrototype = modelPrototype(StartUpAsset::Apple);
    skybox = new Skybox(identity, basicShader, assets.takeModel(StartUpAsset::Sky));

    std::cout << "\n>>> Load Levelfile" << std::endl;
    std::string text;
    if (!readLevelFile(levelFileName, text))
        fatalExit("FAILED: JSON-Levelfile could not be read from filesystem.");
    std::cout << "OK: JSON-File read from filesystem" << std::endl;

    // The whole file is checked before anything is built, so a broken one builds no course;
    // one that is too large is refused before it is parsed.
    const LevelDescription level = parseLevel(text);
    if (!level.ok) {
        std::cout << level.error << std::endl;
        pauseConsole();
        std::cout << noGoalLine << std::endl;
        return;
    }

    std::cout << "\n>>> Create wall by instancing" << std::endl;
    for (const LevelElement& element : level.elements) {
        const glm::mat4 wallMatrix = wallMatrixFor(element);
        WallPiece* wall = nullptr;
        switch (element.typ) {
        case 0: wall = new WallPiece(endWallPrototype, wallMatrix); break;
        case 1: wall = new WallPiece(straightWallPrototype, wallMatrix); break;
        case 2: wall = new WallPiece(curveWallPrototype, wallMatrix); break;
        default: std::cout << "FAILED: wall-type " << element.typ << " is not supported." << std::endl;
        }
        // The slots are filled even on a piece of an unsupported kind.
        for (size_t s = 0; s < levelSlots.size(); ++s)
            placeItem(levelSlots[s].row, levelSlots[s].column, element.items[s], slotMatrix, wallMatrix);
        if (wall != nullptr)
            wallPieces.push_back(wall);
    }

    const CourseGoal goal = courseGoalOf(level.elements);
    courseHasGoal = goal.exists;
    goalPosition = goal.position;
    if (!courseHasGoal)
        std::cout << noGoalLine << std::endl;
}

void Game::placeItem(int row, int column, int itemCode, glm::mat4 prototypeMatrix, glm::mat4 wallMatrix)
{
    const glm::mat4 itemMatrix = itemMatrixFor(row, column, prototypeMatrix, wallMatrix);
    switch (itemKindFor(itemCode)) {
    case ItemKind::Obstacle: {
        SimpleModelTexNon* prototypes[] = {rollerPrototype, fencePrototype, barricadePrototype, sandHeapPrototype};
        obstacles.push_back(new Obstacle(prototypes[itemCode - 1], itemMatrix, itemCode));
        break;
    }
    case ItemKind::Ingredient: {
        auto* item = new Ingredient(itemCode == 10 ? bananaPrototype : applePrototype, itemMatrix, itemCode);
        item->position = glm::vec3(itemMatrix[3]);
        ingredients.push_back(item);
        break;
    }
    case ItemKind::None:
        break;
    }
}
