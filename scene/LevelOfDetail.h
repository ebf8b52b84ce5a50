#pragma once

namespace vantor::scene {

// The level of detail a collectible item is drawn with at `distance` from the camera:
// 0 closer than `nearDistance`, 1 closer than `farDistance`, else 2. World units.
unsigned int levelOfDetailFor(float distance, float nearDistance, float farDistance);

} // namespace vantor::scene
