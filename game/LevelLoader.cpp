// Game::loadLevel and Game::placeItem: the model prototypes and the course; the course
// taken down and another built in its place.
#include "game/LevelLoader.h"

#include "course/CourseGenerator.h"
#include "game/AssetPrefetch.h"
#include "game/Game.h"
#include "model/SimpleModelTexNon.h"
#include "model/Skybox.h"
#include "model/WallPiece.h"
#include "platform/FatalExit.h"
#include "render/CustomShader.h"
#include "scene/CollectedIngredients.h"
#include "scene/Ingredient.h"
#include "scene/LevelFile.h"
#include "scene/Obstacle.h"

#include <btBulletDynamicsCommon.h>
#include <cstdlib>
#include <iostream>

glm::vec3 goalPosition(0.0f);
bool courseHasGoal = false;
const char* const shippedCourseFile = "../Models/level.json";
const char* const coursePackFolder = "../Models/courses/";
std::string courseName = shippedCourseFile;

std::string courseNameFromEnvironment()
{
    const char* chosen = std::getenv("LANTERN_TRAIL_COURSE");
    return chosen != nullptr && chosen[0] != '\0' ? std::string(chosen) : std::string(shippedCourseFile);
}

bool takeCourseFromEnvironment()
{
    courseName = courseNameFromEnvironment();
    const vantor::scene::CourseName read = vantor::scene::readCourseName(courseName);
    if (read.kind == vantor::scene::CourseName::Kind::Refused) {
        std::cout << read.refusal << std::endl;
        return false;
    }
    return true;
}

using namespace vantor::scene;

namespace {

const char* const noGoalLine = "The course has no wall piece, so it has no goal.";
const char* const unreadableLine = "FAILED: JSON-Levelfile could not be read from filesystem.";

// The course the game plays when the one asked for cannot be had.
CourseChoice shippedCourse()
{
    CourseChoice choice;
    choice.file = shippedCourseFile;
    return choice;
}

} // namespace

void Game::loadLevel(AssetPrefetch& assets)
{
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

    // A generated course is checked against the shapes the game collides with, which the
    // prototypes now hold.
    const WallPiece* walls[3] = {endWallPrototype, straightWallPrototype, curveWallPrototype}; // by WallKind
    for (size_t k = 0; k < 3; ++k)
        courseModels.tops[k] = WalkableTop::fromCollisionMesh(walls[k]->collisionVertices, walls[k]->collisionTriangles);
    const SimpleModelTexNon* shapes[4] = {rollerPrototype, fencePrototype, barricadePrototype, sandHeapPrototype};
    for (size_t k = 0; k < 4; ++k)
        courseModels.obstacles[k] = ObstacleShape::fromCollisionMesh(shapes[k]->collisionVertices);

    coursePack = readCoursePack(coursePackFolder);
    std::string refusal;
    if (!chooseCourse(courseName, shippedCourseFile, coursePack, clockSeed(), course, refusal)) {
        // The programs refuse such a name before they start; one set by a tool plays the default.
        std::cout << refusal << std::endl;
        course = shippedCourse();
    }
    buildCourse(true);
}

bool Game::readCourseText(bool startingUp, std::string& text)
{
    if (course.kind == CourseChoice::Kind::Generated) {
        if (generateCheckedCourse(course, courseModels, std::cout, text)) {
            std::cout << "OK: JSON-File made by the course generator" << std::endl;
            return true;
        }
        course = shippedCourse();
    }
    if (!readChoiceText(course, text)) {
        // At start-up there is no game without a course; later the player can go on to the next.
        if (startingUp)
            fatalExit(unreadableLine);
        std::cout << unreadableLine << std::endl;
        return false;
    }
    std::cout << "OK: JSON-File read from filesystem" << std::endl;
    return true;
}

void Game::buildCourse(bool startingUp)
{
    courseHasGoal = false;
    goalPosition = glm::vec3(0.0f);
    std::cout << "\n>>> Load Levelfile" << std::endl;
    std::string text;
    // The whole file is checked before anything is built, so a broken one builds no course;
    // one that is too large is refused before it is parsed.
    const LevelDescription level = readCourseText(startingUp, text) ? parseLevel(text) : LevelDescription();
    if (!level.ok) {
        if (!level.error.empty()) {
            std::cout << level.error << std::endl;
            // The console waits only at start-up, as for every broken resource there.
            if (startingUp)
                pauseConsole();
        }
        std::cout << noGoalLine << std::endl;
        logCourse();
        return;
    }

    std::cout << "\n>>> Create wall by instancing" << std::endl;
    const glm::mat4 slotMatrix = slotPrototypeMatrix();
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
    logCourse();
}

void Game::logCourse() const
{
    std::cout << "Course: " << printableName(courseLabel(course)) << ", " << wallPieces.size()
              << (wallPieces.size() == 1 ? " piece, " : " pieces, ") << ingredients.size() << " fruit" << std::endl;
}

void Game::takeDownCourse()
{
    // Each body out of the world before its object goes, so that no contact of the next
    // step refers to it; a course built without a world has none there. The fruit still
    // floating away go with the course.
    collectedIngredients.clear();
    auto release = [this](auto& objects) {
        for (auto* object : objects) {
            if (dynamicsWorld != nullptr)
                dynamicsWorld->removeRigidBody(object->rigidBody);
            delete object;
        }
        objects.clear();
    };
    release(wallPieces);
    release(obstacles);
    release(ingredients);
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
