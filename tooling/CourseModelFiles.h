#pragma once
#include "course/CourseCheck.h"

#include <string>

namespace vantor::scene {

// Reads the walkable tops of the three wall models and the collision shapes of the four
// obstacle models in `modelFolder` (ending in '/'), as the game keeps their collision
// descriptions. False, with `error` naming the file and why, when one fails.
bool loadCourseModels(const std::string& modelFolder, CourseModels& models, std::string& error);

} // namespace vantor::scene
