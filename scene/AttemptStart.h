#pragma once
#include <glm/vec3.hpp>

namespace vantor::scene {

// Where an attempt starts, where the following camera stands and how low the ball may go:
// the hero, its camera, the game's fall test, the course checker and its map all take
// these from here.

const float heroRadius = 0.5f; // world units; the ball's collision sphere
const float fallHeight = -2.5f; // world y; a ball whose centre is below it has fallen and the attempt is lost
// world; where the ball is dropped at the start of every attempt and at a replay
const glm::vec3 heroStartPosition(0.0f, 4.0f, -1.0f);

// The eye of the following camera for a hero at `heroPosition`: 2 up and 5 behind, turned
// by `horizontalAngle` (radians about +y; 0 at the start of the game).
glm::vec3 followCameraPosition(glm::vec3 heroPosition, float horizontalAngle);

} // namespace vantor::scene
