#include "model/CollisionMesh.h"

#include "scene/SceneObject.h"

#include <btBulletDynamicsCommon.h>
#include <BulletCollision/CollisionShapes/btEmptyShape.h>
#include <cmath>

namespace vantor::scene {

namespace {
const float yawTolerance = 0.0001f;
const float quarterTurn = 1.5707964f;
}

bool isCollisionIndex(float index, size_t vertexCount)
{
    // NaN and negative values fail the first test.
    return index >= 0.0f && std::trunc(index) < static_cast<float>(vertexCount);
}

float recogniseYaw(const glm::mat4& modelMatrix)
{
    const float m00 = modelMatrix[0][0];
    const float m02 = modelMatrix[0][2];
    // NOTE: ±1 is compared exactly: glm::rotate by k * 1.5707964 lands on those values in
    // single precision, and a slightly tilted piece must not be snapped to a quarter turn.
    if (std::fabs(m00) < yawTolerance && m02 == -1.0f)
        return quarterTurn;
    if (m00 == -1.0f && std::fabs(m02) < yawTolerance)
        return 2.0f * quarterTurn;
    if (std::fabs(m00) < yawTolerance && m02 == 1.0f)
        return -quarterTurn;
    return 0.0f;
}

glm::vec3 placeCollisionVertex(const glm::vec3& p, const glm::mat4& modelMatrix)
{
    const float yaw = recogniseYaw(modelMatrix);
    const float c = std::cos(yaw);
    const float s = std::sin(yaw);
    const glm::vec3 t(modelMatrix[3]);
    return glm::vec3(t.x + p.x * c + p.z * s, t.y + p.y, t.z - p.x * s + p.z * c);
}

int addCollisionTriangles(btTriangleMesh* triangleMesh, const std::vector<glm::mat4>& collisionVertices,
                          const std::vector<glm::vec3>& collisionTriangles, const glm::mat4& modelMatrix)
{
    auto place = [&](float index) {
        const glm::vec3 position(collisionVertices[static_cast<size_t>(index)][3]);
        const glm::vec3 p = placeCollisionVertex(position, modelMatrix);
        return btVector3(p.x, p.y, p.z);
    };
    auto valid = [&](float index) { return isCollisionIndex(index, collisionVertices.size()); };

    int added = 0;
    for (const glm::vec3& triangle : collisionTriangles) {
        if (!valid(triangle.x) || !valid(triangle.y) || !valid(triangle.z))
            continue;
        triangleMesh->addTriangle(place(triangle.x), place(triangle.y), place(triangle.z), false);
        ++added;
    }
    return added;
}

void createStaticMeshBody(const std::vector<glm::mat4>& collisionVertices,
                          const std::vector<glm::vec3>& collisionTriangles, const glm::mat4& modelMatrix,
                          SceneObject* owner, btTriangleMesh*& triangleMesh, btCollisionShape*& collisionShape,
                          btDefaultMotionState*& motionState, btRigidBody*& rigidBody)
{
    triangleMesh = new btTriangleMesh(true, true);
    // A bounding-volume tree over no triangle is not valid, so an empty description
    // gets a shape that never touches anything.
    if (addCollisionTriangles(triangleMesh, collisionVertices, collisionTriangles, modelMatrix) > 0)
        collisionShape = new btBvhTriangleMeshShape(triangleMesh, true, true);
    else
        collisionShape = new btEmptyShape();

    motionState = new btDefaultMotionState(btTransform(btQuaternion(0, 0, 0, 1), btVector3(0, 0, 0)));
    btRigidBody::btRigidBodyConstructionInfo info(0.0f, motionState, collisionShape, btVector3(0, 0, 0));
    info.m_rollingFriction = 0.1f;
    info.m_restitution = 0.1f;
    rigidBody = new btRigidBody(info);
    rigidBody->setUserPointer(owner);
}

void destroyStaticMeshBody(btTriangleMesh*& triangleMesh, btCollisionShape*& collisionShape,
                           btDefaultMotionState*& motionState, btRigidBody*& rigidBody)
{
    // The shape refers to the mesh and the body to both, so the body goes first.
    delete rigidBody;
    delete motionState;
    delete collisionShape;
    delete triangleMesh;
    rigidBody = nullptr;
    motionState = nullptr;
    collisionShape = nullptr;
    triangleMesh = nullptr;
}

} // namespace vantor::scene
