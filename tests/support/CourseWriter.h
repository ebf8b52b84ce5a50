#pragma once
#include "generator/CourseRoute.h"

// Small courses for tests, written as the generator writes its course pack: see
// generator/CourseRoute.h for the route notation.
using datagen::CourseStep;
using datagen::courseText;
