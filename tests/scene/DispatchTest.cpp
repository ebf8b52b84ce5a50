#include "model/SimpleModelTexNon.h"
#include "model/WallPiece.h"
#include "scene/Ingredient.h"
#include "scene/Obstacle.h"
#include "scene/collision/ContactDispatch.h"
#include "support/CaptureStdout.h"

#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace vantor::scene;
using vantor::scene::collision::dispatchContact;

namespace {

// Stands in for the hero: records every handler call and dispatches like the hero does.
class Recorder : public SceneObject {
public:
    Recorder() : SceneObject(glm::mat4(1.0f)) {}
    void update(double, GameState*) override {}
    void draw(unsigned int) override {}
    void collideWith(collision::ICollision* other) override { other->onCollisionWithHero(nullptr); }

    void onCollisionWithSceneObject(SceneObject* other) override { record("object", other); }
    void onCollisionWithWallPiece(WallPiece* other) override { record("wall", other); }
    void onCollisionWithObstacle(Obstacle* other) override { record("obstacle", other); }
    void onCollisionWithIngredient(Ingredient* other) override { record("ingredient", other); }
    void onCollisionWithHero(Hero*) override { calls.push_back("hero"); }

    void record(const char* kind, const void* other)
    {
        calls.push_back(kind);
        lastOther = other;
    }
    std::vector<std::string> calls;
    const void* lastOther = nullptr;
};

// Models whose file cannot be read make no GL call, so the scene objects built on them
// run here without a context. Their collision lists are filled by hand.
struct Course {
    CaptureStdout quiet;
    SimpleModelTexNon model{glm::mat4(1.0f), nullptr, nullptr, nullptr, "no/such/model.dae"};
    WallPiece wallPrototype{glm::mat4(1.0f), nullptr, nullptr, nullptr, "no/such/wall.dae"};
};

std::vector<btVector3> triangleCorners(btCollisionShape* shape)
{
    std::vector<btVector3> corners;
    auto* meshShape = dynamic_cast<btBvhTriangleMeshShape*>(shape);
    if (meshShape == nullptr)
        return corners;
    struct Collect : btTriangleCallback {
        std::vector<btVector3>* out;
        void processTriangle(btVector3* triangle, int, int) override { out->insert(out->end(), triangle, triangle + 3); }
    } collect;
    collect.out = &corners;
    meshShape->processAllTriangles(&collect, btVector3(-1e4, -1e4, -1e4), btVector3(1e4, 1e4, 1e4));
    return corners;
}

} // namespace

TEST(Dispatch, OnlyTheFirstObjectOfAPairHearsOfTheSecond)
{
    Course course;
    Recorder hero;
    WallPiece wall(&course.wallPrototype, glm::mat4(1.0f));
    Obstacle obstacle(&course.model, glm::mat4(1.0f), 2);
    Ingredient fruit(&course.model, glm::mat4(1.0f), 10);

    dispatchContact(&hero, &wall);
    dispatchContact(&hero, &obstacle);
    dispatchContact(&hero, &fruit);
    EXPECT_EQ(hero.calls, (std::vector<std::string>{"wall", "obstacle", "ingredient"}));
    EXPECT_EQ(hero.lastOther, &fruit);

    // Roles exchanged: the wall is told about the hero, and walls ignore it.
    hero.calls.clear();
    dispatchContact(&wall, &hero);
    dispatchContact(&obstacle, &hero);
    EXPECT_TRUE(hero.calls.empty());

    // The bodies lead back to their objects.
    EXPECT_EQ(wall.rigidBody->getUserPointer(), &wall);
    EXPECT_EQ(obstacle.rigidBody->getUserPointer(), &obstacle);
    EXPECT_EQ(fruit.rigidBody->getUserPointer(), &fruit);
}

TEST(Dispatch, CollectedFruitAndBodiesOutsideTheSceneStaySilent)
{
    Course course;
    Recorder hero;
    Ingredient fruit(&course.model, glm::mat4(1.0f), 11);
    fruit.collected = true;
    dispatchContact(&hero, &fruit);
    dispatchContact(nullptr, &fruit);
    dispatchContact(&hero, nullptr);
    dispatchContact(nullptr, nullptr);
    EXPECT_TRUE(hero.calls.empty());

    // A kind without its own dispatch arrives as a plain scene object.
    dispatchContact(&hero, static_cast<SceneObject*>(&course.model));
    EXPECT_EQ(hero.calls, (std::vector<std::string>{"object"}));
}

TEST(SceneObjects, AnObstacleCollidesWhereItIsDrawn)
{
    Course course;
    course.model.collisionVertices = {glm::translate(glm::mat4(1.0f), glm::vec3(1, 0, 0)),
                                      glm::translate(glm::mat4(1.0f), glm::vec3(0, 1, 0)),
                                      glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, 2))};
    course.model.collisionTriangles = {glm::vec3(0, 1, 2)};
    course.model.boundingSphereRadius = 1.5f;
    const glm::mat4 placed = glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(10, 2, -6)), 1.5707964f,
                                         glm::vec3(0, 1, 0));
    Obstacle a(&course.model, placed, 1);
    Obstacle b(&course.model, glm::mat4(1.0f), 1);

    EXPECT_NE(a.rigidBody, b.rigidBody);
    EXPECT_EQ(a.boundingSphereRadius, 1.5f);
    const std::vector<btVector3> corners = triangleCorners(a.collisionShape);
    ASSERT_EQ(corners.size(), 3u);
    const btVector3 expected[3] = {{10, 2, -7}, {10, 3, -6}, {12, 2, -6}};
    for (int i = 0; i < 3; ++i)
        EXPECT_LT(corners[i].distance(expected[i]), 1e-4f) << i;
    EXPECT_EQ(a.rigidBody->getInvMass(), 0.0f);
    EXPECT_FLOAT_EQ(a.rigidBody->getRestitution(), 0.1f);
}

TEST(SceneObjects, AnUnreadableModelGivesBodiesThatTouchNothing)
{
    Course course;
    WallPiece wall(&course.wallPrototype, glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -6)));
    Obstacle obstacle(&course.model, glm::mat4(1.0f), 3);
    EXPECT_EQ(wall.collisionShape->getShapeType(), EMPTY_SHAPE_PROXYTYPE);
    EXPECT_EQ(obstacle.collisionShape->getShapeType(), EMPTY_SHAPE_PROXYTYPE);
    EXPECT_TRUE(course.model.meshes.empty());
    EXPECT_TRUE(course.model.textures.empty());
}

TEST(SceneObjects, FruitIsASensorAtItsPlaceThatSpinsUntilCollected)
{
    Course course;
    const glm::mat4 placed = glm::translate(glm::mat4(1.0f), glm::vec3(3, 1, -4));
    Ingredient fruit(&course.model, placed, 10);
    EXPECT_TRUE(fruit.rigidBody->getCollisionFlags() & btCollisionObject::CF_NO_CONTACT_RESPONSE);
    EXPECT_EQ(fruit.rigidBody->getWorldTransform().getOrigin(), btVector3(3, 1, -4));
    EXPECT_FLOAT_EQ(fruit.collisionShape->getRadius(), 0.3f);

    // Half a second in two steps is a quarter turn's half: 45 degrees about its own axis.
    fruit.update(0.25, nullptr);
    fruit.update(0.25, nullptr);
    EXPECT_NEAR(fruit.modelMatrix[0][0], std::cos(0.7853982f), 1e-5f);
    EXPECT_NEAR(fruit.modelMatrix[3][0], 3.0f, 1e-6f);

    const glm::mat4 before = fruit.modelMatrix;
    fruit.collected = true;
    fruit.update(1.0, nullptr);
    EXPECT_EQ(fruit.modelMatrix, before);
    EXPECT_EQ(fruit.initialModelMatrix, placed);
}
