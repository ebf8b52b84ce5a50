#include "game/Physics.h"
#include "scene/SceneObject.h"

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// A real physics world with a few bodies whose scene objects only count the contacts
// they are told about.
namespace {
using vantor::scene::SceneObject;

struct Listener : SceneObject {
    Listener() : SceneObject(glm::mat4(1.0f)) {}
    void update(double, GameState*) override {}
    void draw(unsigned int) override {}
    void onCollisionWithSceneObject(SceneObject* other) override { heard.push_back(other); }
    std::vector<SceneObject*> heard; // the objects this one was told it touched
};

struct World {
    btDefaultCollisionConfiguration configuration;
    btCollisionDispatcher dispatcher{&configuration};
    btDbvtBroadphase broadphase;
    btSequentialImpulseConstraintSolver solver;
    btDiscreteDynamicsWorld world{&dispatcher, &broadphase, &solver, &configuration};
    std::vector<std::unique_ptr<btCollisionShape>> shapes;
    std::vector<std::unique_ptr<btDefaultMotionState>> motionStates;
    std::vector<std::unique_ptr<btRigidBody>> bodies;

    World() { world.setGravity(btVector3(0, -10, 0)); }
    ~World()
    {
        for (auto& body : bodies)
            world.removeRigidBody(body.get());
    }

    btRigidBody* add(btCollisionShape* shape, const btVector3& at, float mass, SceneObject* owner)
    {
        shapes.emplace_back(shape);
        motionStates.emplace_back(new btDefaultMotionState(btTransform(btQuaternion(0, 0, 0, 1), at)));
        btVector3 inertia(0, 0, 0);
        if (mass > 0)
            shape->calculateLocalInertia(mass, inertia);
        bodies.emplace_back(new btRigidBody(mass, motionStates.back().get(), shape, inertia));
        bodies.back()->setUserPointer(owner);
        world.addRigidBody(bodies.back().get());
        return bodies.back().get();
    }
};
} // namespace

TEST(ContactProcessing, OnePenetratingManifoldMakesOneCallToTheFirstBodysObject)
{
    World physics;
    Listener ball, box;
    // The ball sinks into a wide box: a manifold with several points, some penetrating.
    physics.add(new btSphereShape(0.5f), btVector3(0, 0.45f, 0), 20.0f, &ball);
    physics.add(new btBoxShape(btVector3(3, 0.5f, 3)), btVector3(0, -0.5f, 0), 0.0f, &box);
    physics.world.stepSimulation(1.0f / 60.0f, 6, 1.0f / 60.0f);
    ASSERT_EQ(physics.dispatcher.getNumManifolds(), 1);

    processContacts(&physics.world);
    EXPECT_EQ(ball.heard.size() + box.heard.size(), 1u);
    // The dynamic ball, added first, is the manifold's first body: it is the one told.
    ASSERT_EQ(ball.heard.size(), 1u);
    EXPECT_EQ(ball.heard.front(), &box);

    // Without a new step the same contact is told again.
    processContacts(&physics.world);
    EXPECT_EQ(ball.heard.size(), 2u);
}

TEST(ContactProcessing, TouchingWithoutPenetrationAndBodiesOutsideTheSceneStaySilent)
{
    World physics;
    Listener ball, box, hovering;
    // A ball sunk into the ground plane, which belongs to no scene object.
    physics.add(new btSphereShape(0.5f), btVector3(0, 0.45f, 0), 20.0f, &ball);
    physics.add(new btStaticPlaneShape(btVector3(0, 1, 0), 0.0f), btVector3(0, 0, 0), 0.0f, nullptr);
    // A weightless ball hovering just above a box: in contact range, never penetrating.
    btRigidBody* floating = physics.add(new btSphereShape(0.5f), btVector3(10, 1.01f, 0), 20.0f, &hovering);
    floating->setGravity(btVector3(0, 0, 0));
    physics.add(new btBoxShape(btVector3(1, 0.5f, 1)), btVector3(10, 0, 0), 0.0f, &box);

    physics.world.stepSimulation(1.0f / 60.0f, 6, 1.0f / 60.0f);
    int pointsInRange = 0;
    for (int i = 0; i < physics.dispatcher.getNumManifolds(); ++i)
        pointsInRange += physics.dispatcher.getManifoldByIndexInternal(i)->getNumContacts();
    ASSERT_GE(pointsInRange, 2); // both pairs really are in contact

    processContacts(&physics.world);
    EXPECT_TRUE(ball.heard.empty());
    EXPECT_TRUE(hovering.heard.empty());
    EXPECT_TRUE(box.heard.empty());
}
