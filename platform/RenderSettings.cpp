#include "platform/RenderSettings.h"

bool freeCamera = false;
bool showFrametime = true;
bool wireframe = false;
bool nearestSampling = false;
int mipmapMode = 2;
bool textureSettingsChanged = false;
int lodLevel = 2;
float lodNearDistance = 5.0f;
float lodFarDistance = 10.0f;
bool glowEnabled = true;
bool viewFrustumCulling = true;
bool transparencyEnabled = true;
