#include "model/BoundingBox.h"
#include "model/CollisionMesh.h"
#include "model/ModelFile.h"

#include <btBulletDynamicsCommon.h>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using namespace vantor::scene;

namespace {

// The corners stored in a mesh built with 32-bit indices and four-component vertices.
std::vector<glm::vec3> storedCorners(btTriangleMesh& mesh)
{
    const unsigned char* vertices = nullptr;
    const unsigned char* indices = nullptr;
    int vertexCount = 0, vertexStride = 0, indexStride = 0, triangleCount = 0;
    PHY_ScalarType vertexType, indexType;
    mesh.getLockedReadOnlyVertexIndexBase(&vertices, vertexCount, vertexType, vertexStride, &indices, indexStride,
                                          triangleCount, indexType);
    std::vector<glm::vec3> corners;
    for (int t = 0; t < triangleCount; ++t) {
        const auto* index = reinterpret_cast<const unsigned int*>(indices + t * indexStride);
        for (int k = 0; k < 3; ++k) {
            const auto* v = reinterpret_cast<const btScalar*>(vertices + index[k] * vertexStride);
            corners.emplace_back(v[0], v[1], v[2]);
        }
    }
    mesh.unLockReadOnlyVertexBase(0);
    return corners;
}

const std::vector<glm::mat4> vertices = {glm::translate(glm::mat4(1.0f), glm::vec3(1, 2, 3)),
                                         glm::translate(glm::mat4(1.0f), glm::vec3(-4, 0, 0.5f)),
                                         glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -2))};

glm::mat4 placedAt(float yaw)
{
    return glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(6, 1, -12)), yaw, glm::vec3(0, 1, 0));
}

} // namespace

TEST(CollisionMesh, QuarterTurnsAreRecognisedAndAppliedOtherRotationsAreNot)
{
    const float q = 1.5707964f;
    struct Case {
        float yaw;
        float recognised;
    };
    // A turn by dir * q as the level builds it; 45 degrees is no quarter turn and counts as 0.
    const Case cases[] = {{0, 0}, {q, q}, {2 * q, 2 * q}, {3 * q, -q}, {0.7853982f, 0}};
    for (const Case& c : cases) {
        const glm::mat4 model = placedAt(c.yaw);
        EXPECT_FLOAT_EQ(recogniseYaw(model), c.recognised) << c.yaw;

        btTriangleMesh mesh(true, true);
        EXPECT_EQ(addCollisionTriangles(&mesh, vertices, {glm::vec3(0, 1, 2)}, model), 1);
        const std::vector<glm::vec3> corners = storedCorners(mesh);
        ASSERT_EQ(corners.size(), 3u);
        for (int k = 0; k < 3; ++k) {
            const glm::vec3 p(vertices[k][3]);
            // For a quarter turn the placement equals the drawn one; otherwise only translated.
            const glm::vec3 expected = c.recognised == 0 ? glm::vec3(6, 1, -12) + p : glm::vec3(model * glm::vec4(p, 1));
            EXPECT_NEAR(glm::distance(corners[k], expected), 0.0f, 1e-4f) << "yaw " << c.yaw << " corner " << k;
        }
    }
    // Half a turn: t + (-x, y, -z).
    btTriangleMesh mesh(true, true);
    addCollisionTriangles(&mesh, vertices, {glm::vec3(0, 1, 2)}, placedAt(2 * q));
    EXPECT_NEAR(glm::distance(storedCorners(mesh)[0], glm::vec3(5, 3, -15)), 0.0f, 1e-4f);
}

TEST(CollisionMesh, TrianglesWithIndicesOutsideTheVertexListAreSkipped)
{
    btTriangleMesh mesh(true, true);
    const std::vector<glm::vec3> triangles = {glm::vec3(0, 1, 3), glm::vec3(-1, 0, 1), glm::vec3(0, NAN, 1),
                                              glm::vec3(2, 1, 0), glm::vec3(1e9f, 0, 0)};
    EXPECT_EQ(addCollisionTriangles(&mesh, vertices, triangles, glm::mat4(1.0f)), 1);
    EXPECT_EQ(mesh.getNumTriangles(), 1);
    EXPECT_EQ(addCollisionTriangles(&mesh, {}, triangles, glm::mat4(1.0f)), 0);
}

TEST(BoundingBox, StartsAtTheOriginSoAPositiveModelStillReachesIt)
{
    BoundingBox box;
    box.widen(glm::vec3(2, 4, 6));
    box.widen(glm::vec3(1, 3, 2));
    EXPECT_EQ(box.min, glm::vec3(0));
    EXPECT_EQ(box.max, glm::vec3(2, 4, 6));
    EXPECT_EQ(box.sphereCenter(), glm::vec3(1, 2, 3));
    EXPECT_FLOAT_EQ(box.sphereRadius(), std::sqrt(14.0f));

    BoundingBox empty;
    EXPECT_EQ(empty.sphereRadius(), 0.0f);
}

TEST(ModelImport, TexturesAreReadBesideTheModelFile)
{
    EXPECT_EQ(modelDirectory("../Models/Banana.dae"), "../Models");
    EXPECT_EQ(modelDirectory("../Models/skybox/boxNormal.dae"), "../Models/skybox");
    EXPECT_EQ(modelDirectory("Banana.dae"), ".");
    EXPECT_EQ(modelDirectory("/Banana.dae"), "/");
}
