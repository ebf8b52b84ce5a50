#pragma once
#include <glm/vec3.hpp>
#include <vector>

namespace vantor::scene { class Ingredient; }

// Collected fruit still floating away above the hero, in the order they were collected.
// The hero appends; the frame update animates and removes them; the scene pass draws
// them blended. The items stay owned by the Game's `ingredients`.
extern std::vector<vantor::scene::Ingredient*> collectedIngredients;

// One frame of the float-away animation for every item in `items`: each rises 1.5 units a
// second above `heroPosition`, spins 4 radians a second, shrinks by half its size and fades
// by a tenth a second. An item leaves the list once it is higher than 7 or has shrunk
// below nothing (about two seconds). deltaTime in seconds.
void animateCollectedIngredients(std::vector<vantor::scene::Ingredient*>& items, const glm::vec3& heroPosition,
                                 float deltaTime);

// Puts an item back on the course as it was built: not collected, at its first place,
// with the animation values of a fresh item, so a later collection animates in full.
void restoreToCourse(vantor::scene::Ingredient* item);
