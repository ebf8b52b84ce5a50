#include "scene/Camera.h"
#include "scene/DirectionalLight.h"
#include "scene/Frustum.h"
#include "scene/LevelOfDetail.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using namespace vantor::scene;

TEST(Frustum, PlanesOfAKnownCameraAreNormalisedAndPointInside)
{
    // Eye at the origin looking down -z, 90 degrees square, near 1, far 10.
    const glm::mat4 projection = glm::perspective(glm::radians(90.0f), 1.0f, 1.0f, 10.0f);
    const FrustumPlanes planes = computeFrustumPlanes(projection);
    const float h = std::sqrt(0.5f);
    const glm::vec4 expected[6] = {{-h, 0, -h, 0}, {h, 0, -h, 0}, {0, -h, -h, 0},
                                   {0, h, -h, 0},  {0, 0, 1, 10}, {0, 0, -1, -1}};
    for (int i = 0; i < 6; ++i)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(planes[i][c], expected[i][c], 1e-4f) << "plane " << i << " component " << c;

    const glm::mat4 identity(1.0f);
    EXPECT_TRUE(sphereInFrustum(planes, identity, glm::vec3(0, 0, -5), 0.1f));
    EXPECT_FALSE(sphereInFrustum(planes, identity, glm::vec3(0, 0, 5), 1.0f)) << "behind the eye";
    EXPECT_FALSE(sphereInFrustum(planes, identity, glm::vec3(0, 0, -12), 1.0f)) << "beyond the far plane";
    EXPECT_TRUE(sphereInFrustum(planes, identity, glm::vec3(0, 0, -10.5f), 1.0f)) << "reaching over the far plane";
    // The sphere's centre is placed by the model matrix.
    EXPECT_FALSE(sphereInFrustum(planes, glm::translate(identity, glm::vec3(0, 0, 20)), glm::vec3(0, 0, -5), 0.1f));
}

TEST(Frustum, ASphereTouchingAPlaneFromOutsideIsVisible)
{
    FrustumPlanes planes;
    planes.fill(glm::vec4(0, 0, 0, 100)); // planes far away
    planes[0] = glm::vec4(1, 0, 0, 0);    // inside where x >= 0
    const glm::mat4 identity(1.0f);
    EXPECT_TRUE(sphereInFrustum(planes, identity, glm::vec3(-0.5f, 0, 0), 0.5f));
    EXPECT_FALSE(sphereInFrustum(planes, identity, glm::vec3(-0.5f, 0, 0), 0.25f));
}

TEST(MouseLook, TurnsByTheCursorOffsetAndClampsThePitch)
{
    float yaw = 0.25f;
    float pitch = -0.5f;
    applyMouseLook(yaw, pitch, 0.006f, 400, 300, 400.0, 300.0);
    EXPECT_EQ(yaw, 0.25f);
    EXPECT_EQ(pitch, -0.5f);

    applyMouseLook(yaw, pitch, 0.006f, 400, 300, 390.0, 310.0);
    EXPECT_NEAR(yaw, 0.25f + 0.06f, 1e-6f);
    EXPECT_NEAR(pitch, -0.5f - 0.06f, 1e-6f);

    applyMouseLook(yaw, pitch, 0.006f, 400, 300, 400.0, -5000.0);
    EXPECT_EQ(pitch, 1.5707964f);
    applyMouseLook(yaw, pitch, 0.006f, 400, 300, 400.0, 9000.0);
    EXPECT_EQ(pitch, -1.5707964f);
}

TEST(LevelOfDetail, SwitchesAtTheThresholdsThemselves)
{
    EXPECT_EQ(levelOfDetailFor(0.0f, 5.0f, 10.0f), 0u);
    EXPECT_EQ(levelOfDetailFor(4.999f, 5.0f, 10.0f), 0u);
    EXPECT_EQ(levelOfDetailFor(5.0f, 5.0f, 10.0f), 1u);
    EXPECT_EQ(levelOfDetailFor(10.0f, 5.0f, 10.0f), 2u);
    EXPECT_EQ(levelOfDetailFor(1000.0f, 0.1f, 0.2f), 2u);
}

namespace {
const glm::vec3 lightDirection(-0.3333f, -0.3333f, -0.3333f); // the game's light
const int mapTexels = 4096;

// Where a world point falls on the shadow map: texels from its lower left, and depth 0..1.
glm::vec3 onShadowMap(const glm::mat4& lightViewProjection, glm::vec3 world)
{
    const glm::vec4 clip = lightViewProjection * glm::vec4(world, 1.0f);
    return (glm::vec3(clip) / clip.w * 0.5f + 0.5f) * glm::vec3(mapTexels, mapTexels, 1.0f);
}
} // namespace

TEST(ShadowBox, CoversTheBallAndWhatIsNearItOnCoursesOfAnyLength)
{
    const glm::vec3 balls[] = {{0.0f, 1.0f, -1.0f}, {10.0f, 0.0f, -50.0f}, {-35.0f, 0.5f, -400.0f},
                               {600.0f, 2.0f, -2500.0f}};
    for (glm::vec3 ball : balls) {
        const glm::mat4 light = shadowViewProjection(ball, lightDirection, mapTexels);
        const glm::vec3 at = onShadowMap(light, ball);
        EXPECT_NEAR(at.x, mapTexels / 2, 1.0f) << "ball at z " << ball.z;
        EXPECT_NEAR(at.y, mapTexels / 2, 1.0f) << "ball at z " << ball.z;
        // Everything within 60 units of the ball, in any direction, lies inside the box.
        for (glm::vec3 way : {glm::vec3(1, 0, 0), glm::vec3(0, 1, 0), glm::vec3(0, 0, 1), glm::vec3(1, 1, 1),
                              glm::vec3(1, -1, 1), glm::vec3(-1, 1, 1), glm::vec3(1, 1, -1)}) {
            for (float side : {-60.0f, 60.0f}) {
                const glm::vec3 near = onShadowMap(light, ball + glm::normalize(way) * side);
                EXPECT_GT(near.x, 0.0f);
                EXPECT_LT(near.x, float(mapTexels));
                EXPECT_GT(near.y, 0.0f);
                EXPECT_LT(near.y, float(mapTexels));
                EXPECT_GT(near.z, 0.0f);
                EXPECT_LT(near.z, 1.0f);
            }
        }
    }
}

TEST(ShadowBox, EachTexelStaysOverTheSamePatchOfTheWorldWhileTheBallRolls)
{
    // A fence post near the ball, far from the origin; the ball rolls past it a fifth of a
    // texel a frame, across several texels. The post must fall on the same spot of its
    // texel every time (whole texels apart), or shadow edges would crawl.
    const glm::vec3 start(-20.0f, 0.5f, -180.0f);
    const glm::vec3 post = start + glm::vec3(-3.0f, 1.0f, -2.0f);
    const glm::vec3 first = onShadowMap(shadowViewProjection(start, lightDirection, mapTexels), post);
    const float texel = shadowBoxSize / mapTexels;
    for (int frame = 1; frame <= 40; ++frame) {
        const glm::vec3 ball = start + glm::vec3(0.13f, 0.0f, -0.17f) * (texel * frame);
        const glm::vec3 at = onShadowMap(shadowViewProjection(ball, lightDirection, mapTexels), post);
        const glm::vec2 moved = glm::vec2(at - first);
        EXPECT_NEAR(moved.x, std::round(moved.x), 0.01f) << "frame " << frame;
        EXPECT_NEAR(moved.y, std::round(moved.y), 0.01f) << "frame " << frame;
    }
}

// The shadow pass clears only the footprints of the last frame's objects: a footprint that
// misses a point of an object's sphere leaves a stale shadow behind.
TEST(ShadowBox, AFootprintHoldsEveryPointOfTheObjectsSphere)
{
    const glm::vec3 ball(10.0f, 0.0f, -50.0f);
    const glm::mat4 light = shadowViewProjection(ball, lightDirection, mapTexels);
    const glm::vec3 centre(0.3f, 0.5f, -0.2f); // model space
    const float radius = 2.5f;
    const glm::mat4 turned = glm::rotate(glm::translate(glm::mat4(1.0f), ball + glm::vec3(-6.0f, 1.0f, 4.0f)), 0.7f,
                                         glm::vec3(0.0f, 1.0f, 0.0f));
    for (float scale : {1.0f, 1.5f}) {
        const glm::mat4 model = glm::scale(turned, glm::vec3(scale));
        const PixelBox box = shadowFootprint(light, model, centre, radius, mapTexels);
        EXPECT_LT(box.right - box.left, 2 * int(radius * scale / shadowBoxSize * mapTexels) + 8) << "far too loose";
        for (int i = 0; i < 200; ++i) {
            const float a = float(i) * 0.61f, b = float(i) * 0.37f;
            const glm::vec3 onSphere = centre + radius * glm::vec3(std::cos(a) * std::cos(b), std::sin(b),
                                                                   std::sin(a) * std::cos(b));
            const glm::vec3 at = onShadowMap(light, glm::vec3(model * glm::vec4(onSphere, 1.0f)));
            EXPECT_GE(at.x, float(box.left) + 1.0f);
            EXPECT_LE(at.x, float(box.right) - 1.0f);
            EXPECT_GE(at.y, float(box.bottom) + 1.0f);
            EXPECT_LE(at.y, float(box.top) - 1.0f);
        }
    }
    // A matrix gone wrong (a body that left the world): nothing is known, all of the map.
    const glm::mat4 broken(std::nanf(""));
    const PixelBox all = shadowFootprint(light, broken, centre, radius, mapTexels);
    EXPECT_EQ(all.right - all.left, mapTexels);
    EXPECT_EQ(all.top - all.bottom, mapTexels);
    // Far off the map: a box that misses it, no overflow.
    const glm::mat4 far = glm::translate(glm::mat4(1.0f), glm::vec3(1e30f, 0.0f, 0.0f));
    EXPECT_TRUE(clampToTarget(shadowFootprint(light, far, centre, radius, mapTexels), mapTexels, mapTexels).empty());
}

// The pixels a fruit may light in the glow's blur: every point of its sphere projects
// inside the box; a sphere behind the eye lights nothing, one across it all of the target.
TEST(ScreenFootprint, HoldsEveryPointOfTheSphereNothingBehindTheEyeAllAcrossIt)
{
    const int width = 800, height = 600;
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 4.0f / 3.0f, 0.1f, 300.0f);
    const glm::mat4 view = glm::lookAt(glm::vec3(0.0f, 4.0f, 10.0f), glm::vec3(0.0f, 0.0f, -20.0f),
                                       glm::vec3(0.0f, 1.0f, 0.0f));
    const glm::mat4 viewProjection = projection * view;
    const glm::vec3 centre(0.2f, 0.4f, 0.0f); // model space
    const float radius = 0.6f;
    for (glm::vec3 place : {glm::vec3(1.5f, 0.5f, -6.0f), glm::vec3(-9.0f, 0.0f, -15.0f), glm::vec3(0.0f, 1.0f, -60.0f)}) {
        const glm::mat4 model = glm::scale(glm::translate(glm::mat4(1.0f), place), glm::vec3(1.3f));
        const PixelBox box = screenFootprint(viewProjection, model, centre, radius, width, height);
        ASSERT_FALSE(box.empty());
        EXPECT_LT(box.right - box.left, width / 2) << "far too loose";
        for (int i = 0; i < 200; ++i) {
            const float a = float(i) * 0.61f, b = float(i) * 0.37f;
            const glm::vec3 onSphere = centre + radius * glm::vec3(std::cos(a) * std::cos(b), std::sin(b),
                                                                   std::sin(a) * std::cos(b));
            const glm::vec4 clip = viewProjection * model * glm::vec4(onSphere, 1.0f);
            const float x = (clip.x / clip.w * 0.5f + 0.5f) * float(width);
            const float y = (clip.y / clip.w * 0.5f + 0.5f) * float(height);
            EXPECT_GE(x, float(box.left) + 1.0f);
            EXPECT_LE(x, float(box.right) - 1.0f);
            EXPECT_GE(y, float(box.bottom) + 1.0f);
            EXPECT_LE(y, float(box.top) - 1.0f);
        }
    }
    // A fruit beside the eye: its projection says nothing, all of the target; one behind
    // the eye: nothing of it.
    const PixelBox all = screenFootprint(viewProjection, glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 4.0f, 10.2f)),
                                         centre, radius, width, height);
    EXPECT_EQ(all.left, 0);
    EXPECT_EQ(all.bottom, 0);
    EXPECT_EQ(all.right, width);
    EXPECT_EQ(all.top, height);
    EXPECT_TRUE(screenFootprint(viewProjection, glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 4.0f, 14.0f)), centre,
                                radius, width, height)
                    .empty());
}
