#include "scene/LevelOfDetail.h"

namespace vantor::scene {

unsigned int levelOfDetailFor(float distance, float nearDistance, float farDistance)
{
    if (distance < nearDistance)
        return 0;
    if (distance < farDistance)
        return 1;
    return 2;
}

} // namespace vantor::scene
