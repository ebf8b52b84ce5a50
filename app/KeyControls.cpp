#include "app/KeyControls.h"

#include "platform/RenderSettings.h"

// Only the key enumerants are used here, no OpenGL call.
#include "platform/GL.h"

#include <sstream>

namespace {

struct LodPreset {
    const char* name;
    float nearDistance; // world units
    float farDistance;  // world units
};

const LodPreset lodPresets[3] = {
    {"Low", 0.1f, 0.2f},
    {"Medium", 1.0f, 2.0f},
    {"High", 5.0f, 10.0f},
};

// Flips `setting` and returns the message for its new value.
std::string toggle(bool& setting, const char* onMessage, const char* offMessage)
{
    setting = !setting;
    return setting ? onMessage : offMessage;
}

} // namespace

std::string applySettingsKey(int key, int action)
{
    if (action != GLFW_PRESS)
        return "";
    switch (key) {
    case GLFW_KEY_F:
        return toggle(freeCamera, "Free movable camera activated", "Free movable camera deactivated");
    case GLFW_KEY_F2:
        return toggle(showFrametime, "Show Frametime ON", "Show Frametime OFF");
    case GLFW_KEY_F3:
        return toggle(wireframe, "Wireframe activated", "Wireframe deactivated");
    case GLFW_KEY_F4:
        textureSettingsChanged = true;
        return toggle(nearestSampling, "\nSamplingquality: Nearest Neighbor", "\nSamplingquality: Bilinear");
    case GLFW_KEY_F5: {
        static const char* const messages[3] = {
            "\nMipMapping: OFF", "\nMipMapping: Nearest Neighbor", "\nMipMapping: Linear"};
        mipmapMode = (mipmapMode + 1) % 3;
        textureSettingsChanged = true;
        return messages[mipmapMode];
    }
    case GLFW_KEY_F6: {
        lodLevel = (lodLevel + 1) % 3;
        const LodPreset& preset = lodPresets[lodLevel];
        lodNearDistance = preset.nearDistance;
        lodFarDistance = preset.farDistance;
        std::ostringstream message;
        message << "\nLoD: " << preset.name << " (" << lodNearDistance << ", " << lodFarDistance << ")";
        return message.str();
    }
    case GLFW_KEY_F7:
        return toggle(glowEnabled, "Glow activated", "Glow deactivated");
    case GLFW_KEY_F8:
        return toggle(viewFrustumCulling, "View Frustum Culling ON", "View Frustum Culling OFF");
    case GLFW_KEY_F9:
        return toggle(transparencyEnabled, "Transparency activated", "Transparency deactivated");
    default:
        return "";
    }
}

bool asksForFullScreenSwitch(int key, int action, int mods)
{
    if (action != GLFW_PRESS)
        return false;
    const bool enter = key == GLFW_KEY_ENTER || key == GLFW_KEY_KP_ENTER;
    return key == GLFW_KEY_F11 || (enter && (mods & GLFW_MOD_ALT) != 0);
}
