#pragma once
#include "course/CourseCheck.h"
#include "course/WalkableTop.h"

#include <array>

// What the course checker reads from the shipped models; a test that needs them fails
// (without stopping) when they cannot be read.
// The walkable tops of the wall models, indexed by WallKind.
std::array<vantor::scene::WalkableTop, 3> shippedWallTops();
// The tops and the obstacles' collision shapes.
vantor::scene::CourseModels shippedCourseModels();
