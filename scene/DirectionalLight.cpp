#include "scene/DirectionalLight.h"

namespace vantor::scene {

DirectionalLight::DirectionalLight()
    : Color(0.0f), AmbientIntensity(0.0f), Direction(0.0f), DiffuseIntensity(0.0f)
{
}

} // namespace vantor::scene
