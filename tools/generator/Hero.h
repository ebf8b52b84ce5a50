#pragma once
#include "generator/Image.h"

// The hero's paint, shared by its model textures and the desktop icon, so that the icon
// shows the ball the player rolls.
namespace datagen {

// Paints the ball's equirectangular texture (u around, v from the south pole up: row 0 is
// the north pole) and its height field for the normal map. Both must have the same size.
void paintBall(Image& colour, HeightField& height);

} // namespace datagen
