#include "app/KeyCallback.h"
#include "app/KeyControls.h"
#include "platform/RenderSettings.h"

#include "support/CaptureStdout.h"

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace {

// Every test starts from the settings a fresh game starts with.
class KeyControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freeCamera = false;
        showFrametime = true;
        wireframe = false;
        nearestSampling = false;
        mipmapMode = 2;
        textureSettingsChanged = false;
        lodLevel = 2;
        lodNearDistance = 5.0f;
        lodFarDistance = 10.0f;
        glowEnabled = true;
        viewFrustumCulling = true;
        transparencyEnabled = true;
    }
    void TearDown() override { SetUp(); }
};

TEST_F(KeyControlsTest, TogglesWriteTheirOnAndOffMessages)
{
    struct Toggle { int key; bool* setting; const char* first; const char* second; };
    const Toggle toggles[] = {
        {GLFW_KEY_F, &freeCamera, "Free movable camera activated", "Free movable camera deactivated"},
        {GLFW_KEY_F2, &showFrametime, "Show Frametime OFF", "Show Frametime ON"},
        {GLFW_KEY_F3, &wireframe, "Wireframe activated", "Wireframe deactivated"},
        {GLFW_KEY_F4, &nearestSampling, "\nSamplingquality: Nearest Neighbor", "\nSamplingquality: Bilinear"},
        {GLFW_KEY_F7, &glowEnabled, "Glow deactivated", "Glow activated"},
        {GLFW_KEY_F8, &viewFrustumCulling, "View Frustum Culling OFF", "View Frustum Culling ON"},
        {GLFW_KEY_F9, &transparencyEnabled, "Transparency deactivated", "Transparency activated"},
    };
    for (const Toggle& t : toggles) {
        bool before = *t.setting;
        EXPECT_EQ(applySettingsKey(t.key, GLFW_PRESS), t.first);
        EXPECT_NE(*t.setting, before) << t.first;
        EXPECT_EQ(applySettingsKey(t.key, GLFW_PRESS), t.second);
        EXPECT_EQ(*t.setting, before) << t.second;
    }
}

TEST_F(KeyControlsTest, OnlySamplingAndMipMapKeysAskForNewTextureFilters)
{
    for (int key : {GLFW_KEY_F, GLFW_KEY_F2, GLFW_KEY_F3, GLFW_KEY_F6, GLFW_KEY_F7, GLFW_KEY_F8, GLFW_KEY_F9})
        applySettingsKey(key, GLFW_PRESS);
    EXPECT_FALSE(textureSettingsChanged);
    applySettingsKey(GLFW_KEY_F4, GLFW_PRESS);
    EXPECT_TRUE(textureSettingsChanged);
    textureSettingsChanged = false;
    applySettingsKey(GLFW_KEY_F5, GLFW_PRESS);
    EXPECT_TRUE(textureSettingsChanged);
}

TEST_F(KeyControlsTest, MipMappingCyclesFromLinearToOff)
{
    EXPECT_EQ(applySettingsKey(GLFW_KEY_F5, GLFW_PRESS), "\nMipMapping: OFF");
    EXPECT_EQ(mipmapMode, 0);
    EXPECT_EQ(applySettingsKey(GLFW_KEY_F5, GLFW_PRESS), "\nMipMapping: Nearest Neighbor");
    EXPECT_EQ(applySettingsKey(GLFW_KEY_F5, GLFW_PRESS), "\nMipMapping: Linear");
    EXPECT_EQ(mipmapMode, 2);
}

TEST_F(KeyControlsTest, LevelOfDetailPresetsCycleFromHighToLow)
{
    EXPECT_EQ(applySettingsKey(GLFW_KEY_F6, GLFW_PRESS), "\nLoD: Low (0.1, 0.2)");
    EXPECT_EQ(lodLevel, 0);
    EXPECT_FLOAT_EQ(lodNearDistance, 0.1f);
    EXPECT_FLOAT_EQ(lodFarDistance, 0.2f);
    EXPECT_EQ(applySettingsKey(GLFW_KEY_F6, GLFW_PRESS), "\nLoD: Medium (1, 2)");
    EXPECT_EQ(applySettingsKey(GLFW_KEY_F6, GLFW_PRESS), "\nLoD: High (5, 10)");
    EXPECT_EQ(lodLevel, 2);
    EXPECT_FLOAT_EQ(lodNearDistance, 5.0f);
    EXPECT_FLOAT_EQ(lodFarDistance, 10.0f);
}

TEST_F(KeyControlsTest, RepeatsReleasesAndOtherKeysChangeNothing)
{
    for (int key : {GLFW_KEY_F, GLFW_KEY_F2, GLFW_KEY_F3, GLFW_KEY_F4, GLFW_KEY_F5, GLFW_KEY_F6, GLFW_KEY_F7,
                    GLFW_KEY_F8, GLFW_KEY_F9}) {
        EXPECT_EQ(applySettingsKey(key, GLFW_REPEAT), "");
        EXPECT_EQ(applySettingsKey(key, GLFW_RELEASE), "");
    }
    for (int key : {GLFW_KEY_F1, GLFW_KEY_F10, GLFW_KEY_R, GLFW_KEY_W, GLFW_KEY_ESCAPE, GLFW_KEY_UNKNOWN})
        EXPECT_EQ(applySettingsKey(key, GLFW_PRESS), "");
    EXPECT_FALSE(freeCamera);
    EXPECT_TRUE(showFrametime);
    EXPECT_FALSE(nearestSampling);
    EXPECT_EQ(mipmapMode, 2);
    EXPECT_EQ(lodLevel, 2);
    EXPECT_FALSE(textureSettingsChanged);
}

TEST_F(KeyControlsTest, F11AndAltEnterAskForFullScreenAndNothingElseDoes)
{
    EXPECT_TRUE(asksForFullScreenSwitch(GLFW_KEY_F11, GLFW_PRESS, 0));
    EXPECT_TRUE(asksForFullScreenSwitch(GLFW_KEY_F11, GLFW_PRESS, GLFW_MOD_SHIFT));
    EXPECT_TRUE(asksForFullScreenSwitch(GLFW_KEY_ENTER, GLFW_PRESS, GLFW_MOD_ALT));
    EXPECT_TRUE(asksForFullScreenSwitch(GLFW_KEY_KP_ENTER, GLFW_PRESS, GLFW_MOD_ALT | GLFW_MOD_NUM_LOCK));
    // A held key switches once; Enter alone, or with another modifier, is no switch.
    EXPECT_FALSE(asksForFullScreenSwitch(GLFW_KEY_F11, GLFW_REPEAT, 0));
    EXPECT_FALSE(asksForFullScreenSwitch(GLFW_KEY_F11, GLFW_RELEASE, 0));
    EXPECT_FALSE(asksForFullScreenSwitch(GLFW_KEY_ENTER, GLFW_REPEAT, GLFW_MOD_ALT));
    EXPECT_FALSE(asksForFullScreenSwitch(GLFW_KEY_ENTER, GLFW_PRESS, 0));
    EXPECT_FALSE(asksForFullScreenSwitch(GLFW_KEY_ENTER, GLFW_PRESS, GLFW_MOD_CONTROL));
    EXPECT_FALSE(asksForFullScreenSwitch(GLFW_KEY_F10, GLFW_PRESS, GLFW_MOD_ALT));
    // And the switch changes no render setting.
    EXPECT_EQ(applySettingsKey(GLFW_KEY_F11, GLFW_PRESS), "");
}

// The callback writes the message as one line; F3's polygon mode is covered under OpenGL.
TEST_F(KeyControlsTest, CallbackWritesOneLinePerPress)
{
    CaptureStdout capture;
    keyCallback(nullptr, GLFW_KEY_F4, 0, GLFW_PRESS, 0);
    keyCallback(nullptr, GLFW_KEY_F4, 0, GLFW_REPEAT, 0);
    keyCallback(nullptr, GLFW_KEY_F7, 0, GLFW_PRESS, 0);
    keyCallback(nullptr, GLFW_KEY_F7, 0, GLFW_RELEASE, 0);
    keyCallback(nullptr, GLFW_KEY_F1, 0, GLFW_PRESS, 0);
    EXPECT_EQ(capture.text(), "\nSamplingquality: Nearest Neighbor\nGlow deactivated\n");
}

} // namespace
